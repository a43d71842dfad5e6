// ardenvo-tool export and import-archive: a house with its pictures and documents as one ZIP, for
// moving to a new computer or handing an insurer everything at once, and back.
#include "archive/HouseArchive.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "platform/AppPaths.h"
#include "platform/posix/SafeFile.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/HelperCommands.h"
#include "tools/ToolSupport.h"
#include "tools/helper/HelperRuns.h"

#include <filesystem>
#include <ostream>

namespace ardenvo::tool {
namespace {

namespace fs = std::filesystem;

std::string mainProgramDocuments() {
    return fs::path(mainProgramImages()).parent_path().string() + "/Documents";
}

int runExportImpl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path, zip;
    HouseFolders folders;
    ArgumentParser parser(kExportUsage, ArgumentParser::Style::Terse);
    parser.option("--zip", zip)
        .option("--images", folders.images)
        .option("--documents", folders.documents);
    if (!parser.parse(args, path, err))
        return kExitUsage;
    if (zip.empty())
        return parser.fail(err, "--zip OUT is needed"), kExitUsage;
    CBrenvikaDoc doc;
    if (!loadHouse(path, doc, err))
        return kExitFailure;
    std::string bytes, error;
    if (!readWholeFile(path, bytes, &error, nullptr, nullptr, kMaxProjectFileBytes)) {
        reportError(err, error);
        return kExitFailure;
    }
    if (folders.images.empty())
        folders.images = mainProgramImages();
    if (folders.documents.empty())
        folders.documents = mainProgramDocuments();
    const ArchiveExport result =
        exportHouseArchive(bytes, doc, fs::path(path).filename().string(), folders, zip);
    if (!result.ok) {
        reportError(err, result.error);
        return kExitFailure;
    }
    out << "Pictures: " << result.pictures << '\n' << "Documents: " << result.documents << '\n';
    for (const std::string& missing : result.missing)
        out << "missing\t" << lineField(missing) << '\n';
    return finishOutput(out, err);
}

int runImportImpl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string zip, to;
    HouseFolders folders;
    ArgumentParser parser(kImportArchiveUsage, ArgumentParser::Style::Terse);
    parser.option("--to", to)
        .option("--images", folders.images)
        .option("--documents", folders.documents);
    if (!parser.parse(args, zip, err))
        return kExitUsage;
    if (to.empty())
        return parser.fail(err, "--to DIR is needed"), kExitUsage;
    std::error_code ec;
    if (!fs::is_directory(to, ec)) {
        reportError(err, "No such folder: " + to);
        return kExitFailure;
    }
    if (folders.images.empty())
        folders.images = mainProgramImages();
    if (folders.documents.empty())
        folders.documents = mainProgramDocuments();
    const ArchiveImport result = importHouseArchive(zip, folders);
    if (!result.ok) {
        reportError(err, result.error);
        return kExitFailure;
    }
    // Never over another house: the first free name, as for the pictures.
    const fs::path wanted = fs::path(result.houseName).filename();
    fs::path target;
    for (int n = 1; n <= 10000; ++n) {
        target = fs::path(to) / (n == 1 ? wanted.string()
                                        : wanted.stem().string() + " " + std::to_string(n) +
                                              wanted.extension().string());
        if (!fs::exists(fs::symlink_status(target, ec)))
            break;
    }
    std::string error;
    if (!replaceFileSafely(target.string(), result.house, false, &error)) {
        reportError(err, error);
        return kExitFailure;
    }
    out << "House: " << lineField(target.string()) << '\n'
        << "Pictures: " << result.pictures << '\n'
        << "Documents: " << result.documents << '\n';
    for (const auto& [from, kept] : result.renamed)
        out << "renamed\t" << lineField(from) << '\t' << lineField(kept) << '\n';
    for (const std::string& skipped : result.skipped)
        out << "skipped\t" << lineField(skipped) << '\n';
    return finishOutput(out, err);
}

} // namespace

int runExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runExportImpl(args, out, err);
}

int runImportArchive(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runImportImpl(args, out, err);
}

} // namespace ardenvo::tool
