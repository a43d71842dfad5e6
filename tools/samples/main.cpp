// make-sample-houses: writes the predone houses shipped in data/. Rerun it whenever the file
// format or the content changes: make-sample-houses data
#include "model/ProjectFile.h"
#include "tools/samples/SampleHouses.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

namespace {

bool writeHouse(const std::filesystem::path& folder, const std::string& fileName,
                const std::function<void(ardenvo::CBrenvikaDoc&)>& build) {
    // The same seed before each house: every object colour, and so every byte, stays the same.
    std::srand(1963);
    ardenvo::CBrenvikaDoc doc;
    build(doc);
    const std::string path = (folder / fileName).string();
    const ardenvo::FileError result = ardenvo::saveProject(path, doc);
    if (result != ardenvo::FileError::None) {
        std::cerr << "make-sample-houses: " << path << ": " << ardenvo::fileErrorMessage(result)
                  << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: make-sample-houses FOLDER\n";
        return 2;
    }
    // Reminder dates are local times; the file stores them as seconds since 1970 UTC. Converting
    // in UTC makes the files independent of the machine that generates them.
    setenv("TZ", "UTC", 1);
    tzset();

    const std::filesystem::path folder = argv[1];
    if (!std::filesystem::is_directory(folder)) {
        std::cerr << "make-sample-houses: not a folder: " << folder.string() << '\n';
        return 1;
    }
    const bool ok = writeHouse(folder, "small-flat.av", ardenvo::samples::buildSmallFlat) &&
                    writeHouse(folder, "family-house.av", ardenvo::samples::buildFamilyHouse);
    return ok ? 0 : 1;
}
