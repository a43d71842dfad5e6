#pragma once

// Sets the time zone for a test (TZ, then tzset) and puts back what was there. A zone the system
// cannot find reads as UTC without a word, and a daylight-saving test would then pass testing
// nothing: the guard fails the test unless the zone really has the offsets from UTC it expects.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>
#include <string>

namespace ardenvo::test {

class ZoneGuard {
public:
    // `offsets`: how many different offsets from UTC the zone has in the year 2004; two for a zone
    // with summer time.
    explicit ZoneGuard(const char* zone, int offsets = 2) {
        if (const char* old = std::getenv("TZ"))
            m_saved = old;
        setenv("TZ", zone, 1);
        tzset();
        const int found = offsetsIn2004();
        if (found != offsets)
            ADD_FAILURE() << "time zone " << zone << " has " << found << " offset(s) from UTC, not "
                          << offsets << " (is the zone data installed?)";
    }
    ~ZoneGuard() {
        if (m_saved)
            setenv("TZ", m_saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ZoneGuard(const ZoneGuard&) = delete;
    ZoneGuard& operator=(const ZoneGuard&) = delete;

private:
    static int offsetsIn2004() {
        constexpr std::time_t kMidJanuary2004 = 1074124800; // 15 January 2004, 00:00 UTC
        std::set<long> seen;
        for (int month = 0; month < 12; ++month) {
            const std::time_t at = kMidJanuary2004 + month * 30 * 86400;
            std::tm local{};
            localtime_r(&at, &local);
            seen.insert(local.tm_gmtoff);
        }
        return static_cast<int>(seen.size());
    }

    std::optional<std::string> m_saved;
};

} // namespace ardenvo::test
