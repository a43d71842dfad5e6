#include "history/VersionStore.h"

#include "history/Thinning.h"
#include "platform/posix/FileNames.h"
#include "platform/posix/SafeFile.h"
#include "platform/posix/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace ardenvo {

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr const char* kPartSuffix = ".part";

using Fd = UniqueFd;

std::string systemMessage(int error) {
    return std::strerror(error);
}

// Whether a folder may hold versions; `what` names it in the reason.
bool checkFolder(const std::string& path, std::string* error) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT || ::mkdir(path.c_str(), 0700) != 0 ||
            ::lstat(path.c_str(), &st) != 0) {
            if (error)
                *error = path + ": " + systemMessage(errno);
            return false;
        }
    }
    const char* problem = nullptr;
    if (S_ISLNK(st.st_mode))
        problem = "is a link";
    else if (!S_ISDIR(st.st_mode))
        problem = "is not a folder";
    else if (st.st_uid != ::geteuid())
        problem = "belongs to another user";
    else if (::access(path.c_str(), W_OK | X_OK) != 0)
        problem = "cannot be written to";
    if (problem && error)
        *error = path + " " + problem;
    return problem == nullptr;
}

bool sameBytes(const std::string& version, int houseFd, std::uint64_t size) {
    Fd fd(::open(version.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0)
        return false;
    std::string a(kChunk, '\0'), b(kChunk, '\0');
    for (std::uint64_t at = 0; at < size;) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - at));
        const ssize_t ra = ::pread(fd.get(), a.data(), want, static_cast<off_t>(at));
        const ssize_t rb = ::pread(houseFd, b.data(), want, static_cast<off_t>(at));
        if (ra <= 0 || ra != rb || std::memcmp(a.data(), b.data(), static_cast<std::size_t>(ra)))
            return false;
        at += static_cast<std::uint64_t>(ra);
    }
    return true;
}

// Copies the whole of `from` into `to`: a reflink shares the blocks where the file system can
// (one copy's cost at most, nothing at best), else the kernel copies, else we do.
bool copyContent(int from, int to, std::uint64_t size) {
    if (::ioctl(to, FICLONE, from) == 0)
        return true;
    std::uint64_t done = 0;
    while (done < size) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr,
                                            std::min<std::uint64_t>(size - done, 1u << 30), 0);
        if (n <= 0)
            break;
        done += static_cast<std::uint64_t>(n);
    }
    if (done == size)
        return true;
    if (errno == ENOSPC || errno == EDQUOT || errno == EIO)
        return false;
    std::string buffer(kChunk, '\0');
    while (done < size) {
        const ssize_t n = ::pread(from, buffer.data(), kChunk, static_cast<off_t>(done));
        if (n <= 0)
            return n == 0 ? (errno = EIO, false) : false;
        for (ssize_t put = 0; put < n;) {
            const ssize_t w = ::pwrite(to, buffer.data() + put, static_cast<std::size_t>(n - put),
                                       static_cast<off_t>(done + put));
            if (w <= 0)
                return false;
            put += w;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return true;
}

// Gives a finished unnamed file (O_TMPFILE) the name `to`, never replacing anything there.
bool nameTempFile(int fd, const std::string& to) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

} // namespace

std::int64_t systemClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string versionsRoot() {
    std::string base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        base = data;
    else if (const char* home = std::getenv("HOME"); home && home[0])
        base = std::string(home) + "/.local/share";
    else
        base = "/tmp";
    return base + "/Ardenvo/versions";
}

std::string versionsFolderFor(const std::string& houseKey, const std::string& root) {
    ContentHash hash;
    hash.add(houseKey);
    std::string name = std::filesystem::path(houseKey).filename().string();
    // Readable, short, and nothing a folder name cannot carry.
    if (name.size() > 80)
        name.resize(80);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == '/')
            c = '_';
    if (name.empty() || name[0] == '.')
        name.insert(0, "house");
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash.value()));
    return (root.empty() ? versionsRoot() : root) + "/" + name + "-" + hex;
}

VersionStore::VersionStore(std::string folder, VersionClock clock)
    : m_folder(std::move(folder)), m_clock(clock ? std::move(clock) : systemClockMs) {}

std::string VersionStore::nameFor(std::int64_t timeMs) {
    std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d-%02d-%02d.%03dZ.av", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(timeMs % 1000));
    return text;
}

bool VersionStore::timeOfName(const std::string& name, std::int64_t& timeMs) {
    int y, mo, d, h, mi, s, ms, used = 0;
    if (std::sscanf(name.c_str(), "%4d-%2d-%2dT%2d-%2d-%2d.%3dZ%n", &y, &mo, &d, &h, &mi, &s, &ms,
                    &used) != 7 ||
        used != 24)
        return false;
    std::string rest = name.substr(static_cast<std::size_t>(used));
    // "-2.av" and on: a second version saved in the same millisecond.
    if (rest.size() > 4 && rest[0] == '-') {
        const std::size_t digits = rest.find_first_not_of("0123456789", 1);
        if (digits == 1 || digits == std::string::npos)
            return false;
        rest = rest.substr(digits);
    }
    if (rest != ".av")
        return false;
    std::tm utc{};
    utc.tm_year = y - 1900;
    utc.tm_mon = mo - 1;
    utc.tm_mday = d;
    utc.tm_hour = h;
    utc.tm_min = mi;
    utc.tm_sec = s;
    timeMs = static_cast<std::int64_t>(timegm(&utc)) * 1000 + ms;
    return nameFor(timeMs).substr(0, 24) == name.substr(0, 24);
}

bool VersionStore::usable(std::string* error) const {
    const std::filesystem::path folder(m_folder);
    std::error_code ec;
    // The data folder above is the programs' own; only the versions folders are checked.
    std::filesystem::create_directories(folder.parent_path().parent_path(), ec);
    return checkFolder(folder.parent_path().string(), error) && checkFolder(m_folder, error);
}

std::vector<HouseVersion> VersionStore::versions() const {
    std::vector<HouseVersion> found;
    DIR* dir = ::opendir(m_folder.c_str());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        HouseVersion version;
        if (!timeOfName(entry->d_name, version.timeMs))
            continue;
        version.path = m_folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(version.path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        version.size = static_cast<std::uint64_t>(st.st_size);
        found.push_back(std::move(version));
    }
    ::closedir(dir);
    // Within one millisecond, "-2.av" came after the plain name, "-3.av" after that.
    auto sequence = [](const std::string& path) {
        const std::size_t dash = path.rfind('-');
        return path.ends_with("Z.av") || dash == std::string::npos
                   ? 1L
                   : std::strtol(path.c_str() + dash + 1, nullptr, 10);
    };
    std::sort(found.begin(), found.end(), [&](const HouseVersion& a, const HouseVersion& b) {
        return a.timeMs != b.timeMs ? a.timeMs > b.timeMs : sequence(a.path) > sequence(b.path);
    });
    return found;
}

void VersionStore::thin(std::uint64_t houseSize) {
    const std::vector<HouseVersion> all = versions();
    std::vector<VersionAge> ages;
    ages.reserve(all.size());
    for (const HouseVersion& v : all)
        ages.push_back({v.timeMs, v.size});
    for (std::size_t index : versionsToThin(ages, m_clock(), houseSize))
        removeFile(all[index].path);
}

KeepOutcome VersionStore::keep(const std::string& housePath) {
    KeepOutcome outcome;
    auto fail = [&](const std::string& why) {
        outcome.result = KeepOutcome::Result::Failed;
        outcome.error = why;
        return outcome;
    };
    Fd house(::open(housePath.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (house.get() < 0 || ::fstat(house.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        if (house.get() < 0 && errno != ENOENT)
            return fail(housePath + ": " + systemMessage(errno));
        outcome.result = KeepOutcome::Result::NoHouse;
        return outcome;
    }
    std::string problem;
    if (!usable(&problem))
        return fail(problem);

    // Two programs saving the same house take turns, so the second finds the first's version.
    const std::string lockPath = m_folder + "/.lock";
    Fd lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (lock.get() < 0 || ::flock(lock.get(), LOCK_EX) != 0)
        return fail(lockPath + ": " + systemMessage(errno));

    // Under the lock, a part-written file is one a killed program left.
    if (DIR* dir = ::opendir(m_folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 6 && name[0] == '.' && name.ends_with(kPartSuffix))
                removeFile(m_folder + "/" + name);
        }
        ::closedir(dir);
    }

    const auto size = static_cast<std::uint64_t>(st.st_size);
    const std::vector<HouseVersion> existing = versions();
    if (!existing.empty() && existing.front().size == size &&
        sameBytes(existing.front().path, house.get(), size)) {
        outcome.result = KeepOutcome::Result::SameAsNewest;
        thin(size);
        return outcome;
    }

    const std::int64_t timeMs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    bool named = false;
    std::string partName;
    int raw = ::open(m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (raw < 0) {
        // File systems without unnamed files: a hidden one, removed above if we die.
        partName = m_folder + "/.keep-" + std::to_string(::getpid()) + kPartSuffix;
        raw = ::open(partName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (raw < 0)
            return fail(m_folder + ": " + systemMessage(errno));
    }
    Fd copy(raw);
    auto abandon = [&](int error) {
        if (!partName.empty())
            removeFile(partName);
        return fail(m_folder + ": " + systemMessage(error));
    };
    if (!copyContent(house.get(), copy.get(), size) || ::fsync(copy.get()) != 0)
        return abandon(errno);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(copy.get(), times);

    const std::string base = nameFor(timeMs);
    for (int n = 1; n <= 1000 && !named; ++n) {
        const std::string name =
            n == 1 ? base : base.substr(0, base.size() - 3) + "-" + std::to_string(n) + ".av";
        const std::string target = m_folder + "/" + name;
        const bool ok = partName.empty() ? nameTempFile(copy.get(), target)
                                         : renameWithoutReplacing(partName, target);
        if (ok) {
            named = true;
            outcome.file = target;
        } else if (errno != EEXIST) {
            return abandon(errno);
        }
    }
    if (!named)
        return abandon(EEXIST);
    outcome.result = KeepOutcome::Result::Kept;
    thin(size);
    return outcome;
}

KeepOutcome keepEarlierVersion(const std::string& housePath, const std::string& houseKey,
                               const std::string& root) {
    try {
        return VersionStore(versionsFolderFor(houseKey, root)).keep(housePath);
    } catch (const std::exception& e) {
        KeepOutcome failed;
        failed.error = e.what();
        return failed;
    }
}

} // namespace ardenvo
