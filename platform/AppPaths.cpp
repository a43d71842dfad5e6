#include "platform/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace ardenvo {

namespace fs = std::filesystem;

std::string AppPaths::programPath() {
    std::error_code ec;
    std::string exe = fs::read_symlink("/proc/self/exe", ec).string();
    // An executable replaced while running reads as "<path> (deleted)".
    const std::string deleted = " (deleted)";
    if (exe.size() > deleted.size() && exe.ends_with(deleted) && !fs::exists(exe, ec))
        exe.resize(exe.size() - deleted.size());
    return exe;
}

std::string AppPaths::programDirectory() {
    const std::string exe = programPath();
    if (exe.empty())
        return fs::current_path().string();
    return fs::path(exe).parent_path().string();
}

std::vector<std::string> AppPaths::resourceDirectories() {
    const fs::path dir = programDirectory();
    return {dir.string(), (dir.parent_path() / "share" / "ardenvo").string()};
}

std::optional<std::string> AppPaths::findResource(const std::string& relativePath) {
    if (relativePath.empty())
        return std::nullopt;
    std::error_code ec;
    for (const auto& dir : resourceDirectories()) {
        const fs::path candidate = fs::path(dir) / relativePath;
        if (fs::is_regular_file(candidate, ec))
            return candidate.string();
    }
    return std::nullopt;
}

std::string AppPaths::dataDirectoryFor(const std::string& programDir) {
    // An installed program (its files in ../share/ardenvo) never writes beside itself, even when
    // it could: run by root, it would otherwise fill /usr/bin with pictures and reports.
    std::error_code ec;
    const bool installed =
        !programDir.empty() &&
        fs::is_directory(fs::path(programDir).parent_path() / "share" / "ardenvo", ec);
    if (!programDir.empty() && !installed && ::access(programDir.c_str(), W_OK | X_OK) == 0)
        return programDir;
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Ardenvo";
    QDir().mkpath(dir);
    return dir.toStdString();
}

std::string AppPaths::dataDirectory() {
    return dataDirectoryFor(programDirectory());
}

namespace {

std::string madeSubfolder(const char* name) {
    const std::string dir = AppPaths::dataDirectory() + "/" + name;
    if (!QDir().mkpath(QString::fromStdString(dir)))
        return {};
    return dir;
}

} // namespace

std::string AppPaths::imagesDirectory() {
    return madeSubfolder("Images");
}

std::string AppPaths::documentsDirectory() {
    return madeSubfolder("Documents");
}

std::string AppPaths::reportPath() {
    return dataDirectory() + "/temp.html";
}

} // namespace ardenvo
