// ardenvo-tool labels: the labels of File > "Print labels..." as a PDF, and the sheets they go on.
#include "coordination/DocumentRegistration.h"
#include "coordination/ReloadSignal.h"
#include "labels/core/LabelCodes.h"
#include "labels/core/LabelSubjects.h"
#include "labels/print/LabelPrinter.h"
#include "model/CBrenvikaDoc.h"
#include "model/ProjectFile.h"
#include "model/SafeFile.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/HelperCommands.h"
#include "tools/ToolSupport.h"
#include "tools/helper/HelperRuns.h"

#include <QGuiApplication>

#include <filesystem>
#include <optional>
#include <ostream>

namespace ardenvo::tool {
namespace {

struct LabelsArgs {
    std::string file;
    std::vector<std::string> rooms;
    std::vector<std::string> objects;
    bool containers = false;
    bool codes = false;
    bool layouts = false;
    std::optional<std::string> layout;
    int start = 1;
    std::string pdf;
};

bool parseArgs(const std::vector<std::string>& args, LabelsArgs& parsed, std::ostream& err) {
    ArgumentParser parser(kLabelsUsage, ArgumentParser::Style::Explained);
    parser.flag("--containers", parsed.containers)
        .flag("--codes", parsed.codes)
        .option("--room", parsed.rooms)
        .option("--object", parsed.objects)
        .option("--layout", parsed.layout)
        .option("--start",
                [&parsed](const std::string& value) {
                    const bool digits = !value.empty() && value.size() <= 6 &&
                                        value.find_first_not_of("0123456789") == std::string::npos;
                    parsed.start = digits ? std::stoi(value) : 0;
                    return parsed.start >= 1
                               ? std::string()
                               : "--start needs a label number from 1, not \"" + value + "\"";
                })
        .option("--pdf", parsed.pdf);
    if (args.size() == 1 && args[0] == "--layouts") {
        parsed.layouts = true;
        return true;
    }
    if (!parser.parse(args, parsed.file, err))
        return false;
    if (parsed.pdf.empty())
        return parser.fail(err, "give --pdf FILE");
    return true;
}

std::optional<LabelSheet> chooseSheet(const std::optional<std::string>& name, std::ostream& err) {
    if (!name)
        return builtInSheets().front();
    if (const LabelSheet* sheet = findSheet(*name))
        return *sheet;
    if (auto custom = sheetFromText(*name))
        return custom;
    reportError(err, "no layout \"" + *name + "\" (see ardenvo-tool labels --layouts)");
    return std::nullopt;
}

// The subjects named, in house order; false (told) when a name finds nothing.
bool chooseSubjects(const CBrenvikaDoc& doc, const LabelsArgs& parsed,
                    std::vector<LabelSubject>& subjects, std::ostream& err) {
    std::vector<LabelSubject> named;
    for (const auto& [paths, object] : {std::pair{&parsed.rooms, false}, {&parsed.objects, true}}) {
        for (const std::string& path : *paths) {
            const auto subject = findLabelSubject(doc, path, object);
            if (!subject) {
                reportError(err, std::string(object ? "no object \"" : "no room or hall \"") +
                                     path + "\" in the house");
                return false;
            }
            named.push_back(*subject);
        }
    }
    const bool containers = parsed.containers || named.empty();
    subjects = labelSubjects(doc, [&](const LabelSubject& subject) {
        if (containers && !subject.isRoom() && holdsOthers(*subject.object))
            return true;
        for (const LabelSubject& n : named)
            if (sameSubject(n, subject))
                return true;
        return false;
    });
    // A house whose objects hold nothing still gets its rooms' labels by default.
    if (subjects.empty() && named.empty() && !parsed.containers)
        subjects = roomSubjects(doc);
    if (subjects.empty()) {
        reportError(err, "no object of the house holds others: no labels to write");
        return false;
    }
    return true;
}

bool storeCodes(const std::string& path, CBrenvikaDoc& doc,
                const std::vector<LabelSubject>& subjects, const std::vector<std::string>& codes,
                std::ostream& err) {
    if (storeLabelCodes(subjects, codes) == 0)
        return true;
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(path, ec).string();
    if (!ec && isOpenInMainProgram(absolute))
        reportError(err, "warning: " + path +
                             " is open in Ardenvo; saving it there will drop the new codes");
    std::string error;
    if (!replaceFileSafely(path, writeProject(doc), true, &error)) {
        reportError(err, path + ": " + fileErrorMessage(FileError::SaveFailed) + " " + error);
        return false;
    }
    signalReload();
    return true;
}

int runLabelsImpl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    LabelsArgs parsed;
    if (!parseArgs(args, parsed, err))
        return kExitUsage;
    if (parsed.layouts) {
        for (const LabelSheet& sheet : builtInSheets())
            out << sheet.name << std::string(14 - sheet.name.size(), ' ') << sheet.description
                << '\n';
        return finishOutput(out, err);
    }
    const std::optional<LabelSheet> sheet = chooseSheet(parsed.layout, err);
    if (!sheet)
        return kExitUsage;
    std::string problem = sheetProblem(*sheet);
    if (problem.empty())
        problem = startProblem(*sheet, parsed.start);
    if (!problem.empty()) {
        reportError(err, "the layout cannot be used: " + problem);
        return kExitFailure;
    }

    silenceQtWarnings();
    CBrenvikaDoc doc;
    if (!loadHouse(parsed.file, doc, err, nullptr,
                   parsed.codes ? HouseUse::Change : HouseUse::Read))
        return kExitFailure;
    doc.setPathName(parsed.file); // the labels carry the house's title, its file name
    if (roomSubjects(doc).empty()) {
        reportError(err, parsed.file + " has no rooms or halls: no labels written");
        return kExitFailure;
    }
    std::vector<LabelSubject> subjects;
    if (!chooseSubjects(doc, parsed, subjects, err))
        return kExitFailure;
    const LabelJob job = makeLabelJob(doc, subjects, *sheet, parsed.start, parsed.codes);

    // Text needs fonts, hence a GUI application; without a display it draws offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "ardenvo-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QString error;
    if (!writeLabelsPdf(job, QString::fromStdString(parsed.pdf), error)) {
        reportError(err, "Cannot write " + parsed.pdf + ": " + error.toStdString());
        return kExitFailure;
    }
    if (parsed.codes && !storeCodes(parsed.file, doc, subjects, jobCodes(job), err))
        return kExitFailure;
    return finishOutput(out, err);
}

} // namespace

int runLabels(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runLabelsImpl(args, out, err);
}

} // namespace ardenvo::tool
