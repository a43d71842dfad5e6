// ardenvo-tool pictures: every picture record of a house and whether its file can be shown, so a
// user finds broken pictures before a backup.
#include "model/CBrenvikaDoc.h"
#include "platform/image/ImageFile.h"
#include "platform/image/PictureFiles.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <QFileInfo>

#include <map>
#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage =
    usageEntry({"pictures FILE [--images DIR]"},
               {"one tab-separated line per picture record: section, room,",
                "owner (\"Room\" or the chain of objects, \"Wardrobe > Box\"),",
                "name, file, and \"ok WIDTHxHEIGHT FORMAT\", \"missing\" or",
                "\"unreadable\"; DIR defaults to the main program's Images folder,",
                "outside which no file is read (\"missing: \" and the reason)"});

// Decoding at a small size checks the whole file without holding a photo's pixels.
const QSize kCheckSize(64, 64);

class PictureLister {
public:
    PictureLister(std::string images, std::ostream& out)
        : m_images(std::move(images)), m_out(out) {}

    void listBlock(const CSection& section, const CBlock& block) {
        m_prefix = lineField(section.name) + '\t' + lineField(block.name) + '\t';
        listPictures("Room", block.pictures);
        for (const auto& object : block.floorObjects())
            listObject(*object, {});
    }

private:
    void listObject(const CHouseObject& object, std::string chain) {
        chain += (chain.empty() ? "" : " > ") + lineField(object.name);
        listPictures(chain, object.pictures);
        for (int p = 0; p < kNestPositionCount; ++p)
            for (const auto& child : object.children(static_cast<NestPosition>(p)))
                listObject(*child, chain);
    }

    void listPictures(const std::string& owner, const CFieldList& pictures) {
        for (const auto& picture : pictures.entries())
            m_out << m_prefix << owner << '\t' << lineField(picture->name) << '\t'
                  << lineField(picture->value) << '\t' << status(picture->value.str()) << '\n';
    }

    // Each file is read once however many records name it.
    const std::string& status(const std::string& file) {
        auto found = m_status.find(file);
        if (found != m_status.end())
            return found->second;
        std::string result;
        const PictureLocation location = locatePicture(m_images, file);
        const QString path = QString::fromStdString(location.path);
        if (!location.problem.empty() && !file.empty()) {
            // Never read: a house received from someone else must not reach other files.
            result = "missing: " + location.problem;
        } else if (file.empty() || !QFileInfo::exists(path)) {
            result = "missing";
        } else {
            ImageFile image;
            if (image.load(path, kCheckSize))
                result = "ok " + std::to_string(image.width()) + "x" +
                         std::to_string(image.height()) + " " + image.format().toStdString();
            else
                result = "unreadable";
        }
        return m_status.emplace(file, result).first->second;
    }

    std::string m_images;
    std::ostream& m_out;
    std::string m_prefix;
    std::map<std::string, std::string> m_status;
};

int runPictures(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string images;
    if (!ArgumentParser(kUsage, ArgumentParser::Style::Terse)
             .option("--images", images)
             .parse(args, path, err))
        return kExitUsage;
    silenceQtWarnings();
    CBrenvikaDoc doc;
    if (!loadHouse(path, doc, err))
        return kExitFailure;
    if (images.empty())
        images = mainProgramImages();

    PictureLister lister(images, out);
    for (const auto& section : doc.sections())
        for (const auto& block : section->blocks())
            lister.listBlock(*section, *block);
    return finishOutput(out, err);
}

} // namespace

Command picturesCommand() {
    return {"pictures", kUsage, runPictures};
}

} // namespace ardenvo::tool
