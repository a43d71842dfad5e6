// ardenvo-tool documents: every document kept with an object (its receipt, manual, warranty card)
// and whether its file can be shown, so a user finds lost papers before a claim or a backup.
#include "documents/DocumentPreview.h"
#include "documents/core/DocumentFiles.h"
#include "documents/core/ObjectDocuments.h"
#include "model/CBrenvikaDoc.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/HelperCommands.h"
#include "tools/HouseWalk.h"
#include "tools/ToolSupport.h"
#include "tools/helper/HelperRuns.h"

#include <QFile>

#include <map>
#include <ostream>

namespace ardenvo::tool {
namespace {

// Drawing the first page this small checks that it can be drawn at little cost.
const QSize kCheckSize(32, 32);

std::string statusOf(const std::string& folder, const std::string& file) {
    const DocumentStatus status = documentStatus(folder, file);
    if (status.state == DocumentState::Missing)
        return status.reason.empty() || file.empty() ? "missing" : "missing: " + status.reason;
    if (status.state == DocumentState::Unreadable)
        return "unreadable";
    if (documentKind(status.path) == DocumentKind::Text)
        return "ok text";
    const DocumentPreview preview =
        previewDocument(QFile::decodeName(QByteArray::fromStdString(status.path)), kCheckSize);
    if (!preview.ok)
        return "unreadable: " + preview.problem.toStdString();
    if (preview.kind == DocumentKind::Pdf)
        return "ok pdf " + std::to_string(preview.pages) +
               (preview.pages == 1 ? " page" : " pages");
    return "ok " + preview.format.toStdString() + " " + std::to_string(preview.natural.width()) +
           "x" + std::to_string(preview.natural.height());
}

int runDocumentsImpl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string folder;
    if (!ArgumentParser(kDocumentsUsage, ArgumentParser::Style::Terse)
             .option("--documents", folder)
             .parse(args, path, err))
        return kExitUsage;
    silenceQtWarnings();
    CBrenvikaDoc doc;
    if (!loadHouse(path, doc, err))
        return kExitFailure;
    if (folder.empty())
        folder = mainProgramDocuments();

    // Each file is read once however many objects keep it.
    std::map<std::string, std::string> statuses;
    forEachObject(doc, [&](const CHouseObject& object, const ObjectPlace& place) {
        const std::vector<ObjectDocument> documents = objectDocuments(object);
        if (documents.empty())
            return;
        std::string chain;
        for (const auto& [position, parent] : place.parents)
            chain += lineField(parent->name) + " > ";
        chain += lineField(object.name);
        for (const ObjectDocument& document : documents) {
            auto status = statuses.find(document.file);
            if (status == statuses.end())
                status = statuses.emplace(document.file, statusOf(folder, document.file)).first;
            out << lineField(place.section->name) << '\t' << lineField(place.block->name) << '\t'
                << chain << '\t' << lineField(document.name) << '\t' << lineField(document.file)
                << '\t' << status->second << '\n';
        }
    });
    return finishOutput(out, err);
}

} // namespace

int runDocuments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runDocumentsImpl(args, out, err);
}

} // namespace ardenvo::tool
