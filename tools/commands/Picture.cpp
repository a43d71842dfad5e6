// ardenvo-tool picture: what one image file holds, as the main program reads it, and its pixels
// as PNG on request.
#include "platform/image/ImageFile.h"
#include "tools/ArgumentParser.h"
#include "tools/CommandTable.h"
#include "tools/ToolSupport.h"

#include <QImageWriter>
#include <QSaveFile>

#include <ostream>

namespace ardenvo::tool {
namespace {

const std::string kUsage = usageEntry(
    {"picture FILE [--png OUT]"}, {"the format (bmp, jpeg, gif, png, tga, tiff, pcx, decided by",
                                   "the content) and size of one image file, \"pcx 320x200\";",
                                   "--png also writes its pixels as a PNG file"});

int runPicture(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    std::string png;
    if (!ArgumentParser(kUsage, ArgumentParser::Style::Terse)
             .option("--png", png)
             .parse(args, path, err))
        return kExitUsage;

    silenceQtWarnings();
    ImageFile image;
    if (!image.load(QString::fromStdString(path))) {
        reportError(err, path + ": " + image.errorString().toStdString());
        return kExitFailure;
    }
    out << image.format().toStdString() << ' ' << image.width() << 'x' << image.height() << '\n';
    if (!png.empty()) {
        // Written aside and renamed, so a failed write never leaves half a picture behind.
        QSaveFile file(QString::fromStdString(png));
        QImageWriter writer(&file, "png");
        if (!file.open(QIODevice::WriteOnly) || !writer.write(image.image()) || !file.commit()) {
            const QString why =
                file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
            reportError(err, "Cannot write " + png + ": " + why.toStdString());
            return kExitFailure;
        }
    }
    return finishOutput(out, err);
}

} // namespace

Command pictureCommand() {
    return {"picture", kUsage, runPicture};
}

} // namespace ardenvo::tool
