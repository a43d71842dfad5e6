#include "archive/dialog/ArchiveActions.h"

#include "model/ProjectFile.h"
#include "widgets/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <exception>

namespace ardenvo {

namespace {

QString zipFilter() {
    return QCoreApplication::translate("ardenvo::ArchiveActions", "ZIP archives (*.zip)");
}
// Longer lists of skipped or missing files are cut in the message.
constexpr int kListedFiles = 15;

QString localPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string encoded(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString listed(const std::vector<std::string>& lines) {
    QString text;
    for (int i = 0; i < static_cast<int>(lines.size()) && i < kListedFiles; ++i)
        text += QStringLiteral("\n") + QString::fromStdString(lines[static_cast<std::size_t>(i)]);
    if (const int more = static_cast<int>(lines.size()) - kListedFiles; more > 0)
        text +=
            QStringLiteral("\n") + QCoreApplication::translate("ardenvo::ArchiveActions",
                                                               "... and %n more", nullptr, more);
    return text;
}

QString pictureFiles(int count) {
    return QCoreApplication::translate("ardenvo::ArchiveActions", "%n picture file(s)", nullptr,
                                       count);
}

QString documentFiles(int count) {
    return QCoreApplication::translate("ardenvo::ArchiveActions", "%n document(s)", nullptr, count);
}

// Runs the work with a progress window that shows once it takes a moment and can stop it.
class Progress {
public:
    Progress(QWidget* parent, const QString& label)
        : m_dialog(label, QCoreApplication::translate("ardenvo::ArchiveActions", "Stop"), 0, 1000,
                   parent) {
        m_dialog.setObjectName(QStringLiteral("archiveProgress"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(400);
        m_dialog.setAutoClose(false);
        m_dialog.setValue(0);
    }
    ArchiveProgress callback() {
        return [this](double fraction) {
            m_dialog.setValue(static_cast<int>(fraction * 1000));
            QCoreApplication::processEvents();
            return !m_dialog.wasCanceled();
        };
    }

private:
    QProgressDialog m_dialog;
};

} // namespace

bool exportWithPictures(QWidget* parent, const CBrenvikaDoc& doc, const QString& housePath,
                        const HouseFolders& folders, Prompter& prompter) {
    const QFileInfo house(housePath.isEmpty() ? QStringLiteral("Untitled.av") : housePath);
    const QString suggestion = (housePath.isEmpty() ? QDir::homePath() : house.absolutePath()) +
                               QLatin1Char('/') + house.completeBaseName() + QStringLiteral(".zip");
    const QString zip = prompter.askSaveFileName(
        parent, {QCoreApplication::translate("ardenvo::ArchiveActions", "Export with pictures"),
                 suggestion, zipFilter(), QStringLiteral("zip")});
    if (zip.isEmpty())
        return false;
    ArchiveExport result;
    try {
        const std::string bytes = writeProject(doc);
        Progress progress(parent,
                          QCoreApplication::translate("ardenvo::ArchiveActions", "Writing %1...")
                              .arg(QFileInfo(zip).fileName()));
        result = exportHouseArchive(bytes, doc, encoded(house.fileName()), folders, encoded(zip),
                                    progress.callback());
    } catch (const std::exception&) {
        result.error = "Not enough memory to write the archive";
    }
    if (!result.ok) {
        if (result.error != "Stopped.")
            prompter.message(parent,
                             {QCoreApplication::translate("ardenvo::ArchiveActions",
                                                          "The archive could not be written to "
                                                          "\"%1\": %2")
                                  .arg(zip, localPath(result.error)),
                              Prompter::Icon::Stop});
        return false;
    }
    QString text = QCoreApplication::translate("ardenvo::ArchiveActions",
                                               "The house, %1 and %2 were written to \"%3\".")
                       .arg(pictureFiles(result.pictures), documentFiles(result.documents), zip);
    if (!result.missing.empty())
        text += QStringLiteral("\n\n") +
                QCoreApplication::translate(
                    "ardenvo::ArchiveActions",
                    "These files were not found; the archive's index lists them as "
                    "missing:") +
                listed(result.missing);
    prompter.message(parent, {text, result.missing.empty() ? Prompter::Icon::Information
                                                           : Prompter::Icon::Warning});
    return true;
}

bool importArchive(QWidget* parent, const HouseFolders& folders, const QString& startFolder,
                   Prompter& prompter, ImportedHouse& imported) {
    const QString zip = prompter.askOpenFileName(
        parent, {QCoreApplication::translate("ardenvo::ArchiveActions", "Import archive"),
                 startFolder,
                 zipFilter(),
                 {}});
    if (zip.isEmpty())
        return false;
    ArchiveImport result;
    try {
        Progress progress(parent,
                          QCoreApplication::translate("ardenvo::ArchiveActions", "Reading %1...")
                              .arg(QFileInfo(zip).fileName()));
        result = importHouseArchive(encoded(zip), folders, progress.callback());
    } catch (const std::exception&) {
        result.error = "Not enough memory to read the archive";
    }
    if (!result.ok) {
        if (result.error != "Stopped.")
            prompter.message(
                parent, {QCoreApplication::translate("ardenvo::ArchiveActions",
                                                     "The archive \"%1\" could not be imported: %2")
                             .arg(zip, localPath(result.error)),
                         Prompter::Icon::Stop});
        return false;
    }
    const QString suggestion =
        QFileInfo(zip).absolutePath() + QLatin1Char('/') + localPath(result.houseName);
    const QString path = prompter.askSaveFileName(
        parent,
        {QCoreApplication::translate("ardenvo::ArchiveActions", "Keep the imported house as"),
         suggestion, QCoreApplication::translate("ardenvo::ArchiveActions", "Ardv Files (*.av)"),
         QStringLiteral("av")});
    if (path.isEmpty())
        return false;
    if (!result.skipped.empty() || !result.renamed.empty()) {
        std::vector<std::string> renamed;
        for (const auto& [from, to] : result.renamed)
            renamed.push_back(from + " \u2192 " + to);
        QString text = QCoreApplication::translate("ardenvo::ArchiveActions",
                                                   "%1 and %2 were taken from the archive.")
                           .arg(pictureFiles(result.pictures), documentFiles(result.documents));
        if (!renamed.empty())
            text +=
                QStringLiteral("\n\n") +
                QCoreApplication::translate("ardenvo::ArchiveActions",
                                            "Kept under a new name, since a different file had the "
                                            "name (the house names the new one):") +
                listed(renamed);
        if (!result.skipped.empty())
            text += QStringLiteral("\n\n") +
                    QCoreApplication::translate("ardenvo::ArchiveActions", "Skipped:") +
                    listed(result.skipped);
        prompter.message(parent, {text, result.skipped.empty() ? Prompter::Icon::Information
                                                               : Prompter::Icon::Warning});
    }
    imported.house = std::move(result.house);
    imported.path = path;
    return true;
}

} // namespace ardenvo
