#include "catalogue/pictures/PictureMessages.h"

#include "platform/image/PictureFiles.h"

#include <QCoreApplication>
#include <QStringList>

namespace ardenvo {

namespace {

QString utf8(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

void warnAboutPicture(Prompter& prompter, QWidget* parent, const QString& text) {
    prompter.message(parent, {text, Prompter::Icon::Warning, Prompter::Title::Application, {}});
}

void reportUnreadablePicture(Prompter& prompter, QWidget* parent, std::string_view fileName,
                             std::string_view problem) {
    const QString name = utf8(fileName);
    warnAboutPicture(prompter, parent,
                     QCoreApplication::translate("ardenvo::PictureMessages", "Wrong image file"));
    // The decoders' own words are translated where this context holds them.
    const QString why =
        QCoreApplication::translate("ardenvo::PictureMessages", std::string(problem).c_str());
    prompter.message(nullptr, {name + QLatin1Char('\n') + why + QLatin1Char('\n') + name,
                               Prompter::Icon::None,
                               Prompter::Title::Error,
                               {}});
}

bool confirmPictureDeletion(Prompter& prompter, QWidget* parent) {
    return askBeforeLoss(
        prompter, parent,
        QCoreApplication::translate("ardenvo::PictureMessages",
                                    "Selected image will be deleted. Are you sure?"));
}

QString choosePictureFile(Prompter& prompter, QWidget* parent) {
    return prompter.askOpenFileName(parent, {{}, {}, pictureFileFilter(), QStringLiteral("bmp")});
}

QString pictureFileFilter() {
    // Qt's file dialog compares these patterns without regard to letter case.
    QStringList patterns;
    for (const std::string_view extension : kPictureExtensions)
        patterns << QStringLiteral("*.") + utf8(extension);
    return QCoreApplication::translate("ardenvo::PictureMessages", "All supported types (%1)")
        .arg(patterns.join(QLatin1Char(' ')));
}

} // namespace ardenvo
