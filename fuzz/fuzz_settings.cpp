// Feeds arbitrary bytes as the settings file both programs share, as an older version, a hand
// edit or a crash could leave it, then reads the registered houses and registers, disables and
// deletes one as the programs do.
#include "coordination/ProjectRegistry.h"
#include "platform/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

struct Sandbox {
    Sandbox() {
        char dir[] = "/tmp/ardenvo-fuzz-settings-XXXXXX";
        if (!::mkdtemp(dir))
            std::abort();
        root = dir;
        ::setenv("XDG_RUNTIME_DIR", dir, 1); // the registration lock lives there
    }
    std::string root;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Sandbox sandbox;
    const std::string path = sandbox.root + "/registry.conf";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    ardenvo::SettingsFile settings(path);
    auto entries = ardenvo::readProjectEntries(settings);
    for (const auto& e : entries) {
        if (e.index < 0 || e.path.size() > ardenvo::maxRegisteredPathLength)
            std::abort();
    }
    const std::string house = "/fuzz/house.av";
    ardenvo::registerProject(house, settings);
    if (ardenvo::findProjectKey(house, settings).empty())
        std::abort();
    ardenvo::setProjectStatus(house, false, settings);
    ardenvo::deleteProjectEntry(house, entries, settings);
    return 0;
}
