#include "reminder/core/LoadedProject.h"

#include "model/ProjectFile.h"
#include "model/Translatable.h"
#include "platform/posix/SafeFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace ardenvo {

namespace {

bool readProjectBytes(const std::string& path, std::string& bytes, bool& tooLarge) {
    tooLarge = false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    if (size > kMaxProjectFileSize) {
        tooLarge = true;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

std::uint64_t fingerprintOf(const std::string& bytes) {
    // FNV-1a: cheap, and only compared with itself.
    std::uint64_t hash = 1469598103934665603ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash ^ bytes.size();
}

LoadedProject::LoadResult LoadedProject::load(const std::string& path,
                                              std::unique_ptr<LoadedProject>& project) {
    std::error_code ec;
    const auto state = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(state))
        return LoadResult::Missing;
    // This program writes its projects back: a save killed while copying one in place is
    // finished before it is read.
    finishInterruptedCopy(path);
    std::string bytes;
    bool tooLarge = false;
    if (!readProjectBytes(path, bytes, tooLarge))
        return tooLarge ? LoadResult::WrongFormat : LoadResult::CannotOpen;
    auto loaded = std::make_unique<LoadedProject>(path);
    if (readProject(bytes, loaded->m_doc) != FileError::None)
        return LoadResult::WrongFormat;
    loaded->m_fingerprint = fingerprintOf(bytes);
    project = std::move(loaded);
    return LoadResult::Loaded;
}

LoadedProject::DiskState LoadedProject::diskState() const {
    std::string bytes;
    bool tooLarge = false;
    if (!readProjectBytes(m_path, bytes, tooLarge)) {
        std::error_code ec;
        return std::filesystem::exists(m_path, ec) ? DiskState::Changed : DiskState::Missing;
    }
    return fingerprintOf(bytes) == m_fingerprint ? DiskState::Unchanged : DiskState::Changed;
}

bool LoadedProject::write(std::string& error, bool& marked) {
    const std::string bytes = writeProject(m_doc);
    marked = false;
    if (bytes.empty()) {
        error = AV_TRANSLATE_NOOP("ardenvo::ReminderSession", "The project could not be written.");
        marked = true;
        return false;
    }
    if (!replaceFileSafely(m_path, bytes, true, &error))
        return false;
    m_fingerprint = fingerprintOf(bytes);
    return true;
}

} // namespace ardenvo
