#include "shell/DocumentController.h"

#include "coordination/DocumentRegistration.h"
#include "history/VersionStore.h"
#include "model/ProjectFile.h"
#include "platform/AppPaths.h"
#include "platform/DialogFolders.h"
#include "platform/ProjectKey.h"
#include "shell/RecentFileList.h"
#include "shell/ShippedFiles.h"
#include "widgets/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <cstring>
#include <exception>
#include <thread>

namespace ardenvo {

namespace {

QString houseFilter() {
    return DocumentController::tr("Ardv Files (*.av)");
}

std::string toLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

DocumentController::DocumentController(Prompter& prompter, RecentFileList& recent, QObject* parent)
    : QObject(parent), m_doc(std::make_unique<CBrenvikaDoc>()),
      m_registration(std::make_unique<DocumentRegistration>()), m_prompter(prompter),
      m_recent(recent), m_shippedFolders(AppPaths::resourceDirectories()) {
    // Files are replaced by renaming a new one over them, which ends a watch on the file itself;
    // the folder's watch sees the new one arrive. A short pause lets a burst of changes settle.
    m_diskCheck.setSingleShot(true);
    m_diskCheck.setInterval(200);
    connect(&m_diskCheck, &QTimer::timeout, this, &DocumentController::checkFileOnDisk);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_diskCheck,
            qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_diskCheck,
            qOverload<>(&QTimer::start));
}

// The registration's destructor takes this program's entry out of the shared table.
DocumentController::~DocumentController() = default;

QString DocumentController::pathName() const {
    return QFile::decodeName(QByteArray::fromStdString(m_doc->pathName()));
}

QString DocumentController::title() const {
    const QString path = pathName();
    return path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
}

void DocumentController::setPath(const QString& path) {
    m_doc->setPathName(toLocalPath(path));
    emit titleChanged(title());
}

bool DocumentController::saveModified() {
    if (!m_doc->isModified())
        return true;
    const QString name = pathName().isEmpty() ? title() : pathName();
    switch (m_prompter.askYesNoCancel(
        m_window, {tr("Save changes to %1?").arg(name), Prompter::Icon::Warning})) {
    case Prompter::Answer::Yes:
        return save();
    case Prompter::Answer::No:
        return true;
    case Prompter::Answer::Cancel:
        break;
    }
    return false;
}

bool DocumentController::newDocument() {
    if (m_busy || !saveModified())
        return false;
    m_doc->newHouse();
    // The previous house is no longer open here: the reminder program need not warn for it.
    m_registration->afterUntitledRead();
    setPath(QString());
    watch(FileStamp{});
    emit houseReplaced();
    return true;
}

bool DocumentController::openWithDialog() {
    if (m_busy)
        return false;
    SettingsFile* settings = &m_recent.settingsFile();
    const QString path = m_prompter.askOpenFileName(
        //: The title of the file dialog that opens a house.
        m_window, {tr("Open"),
                   dialogStartFolder(pathName(), FileDialogKind::Open, settings),
                   houseFilter(),
                   {}});
    if (path.isEmpty())
        return false;
    rememberDialogFolder(FileDialogKind::Open, path, settings);
    return openDocument(path);
}

bool DocumentController::openDocument(const QString& path) {
    m_lastOpenFailed = false;
    if (m_busy || !saveModified())
        return false;
    // Opened from a file manager or the command line, a shipped house must not be registered
    // with the reminder program nor written back: only a save under a name of the user's does.
    return readInto(path, isShippedFile(path, m_shippedFolders) ? Naming::StayUntitled
                                                                : Naming::TakePath);
}

bool DocumentController::loadPredone(const QString& path) {
    m_lastOpenFailed = false;
    if (m_busy || !saveModified())
        return false;
    return readInto(path, Naming::StayUntitled);
}

FileError DocumentController::load(const QString& absolute, CBrenvikaDoc& fresh,
                                   FileOutcome& outcome) {
    // The model has no locks: the file is read into a document nobody else sees, and only
    // swapped into the shown one back on this thread.
    FileError error = FileError::None;
    m_busy = true;
    {
        QEventLoop loop;
        QProgressDialog progress(tr("Opening %1...").arg(QFileInfo(absolute).fileName()), QString(),
                                 0, 0, m_window);
        progress.setWindowTitle(applicationTitle());
        progress.setWindowModality(m_window ? Qt::WindowModal : Qt::ApplicationModal);
        progress.setCancelButton(nullptr);
        progress.setMinimumDuration(m_progressDelay);
        progress.setAutoClose(false);
        progress.setValue(0);
        std::thread worker([&, file = toLocalPath(absolute)] {
            // An exception must not escape the thread (that would end the program).
            try {
                error = loadProject(file, fresh, &outcome);
            } catch (const std::exception&) {
                error = FileError::UnexpectedFormat;
            }
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        worker.join();
    }
    m_busy = false;
    return error;
}

bool DocumentController::readInto(const QString& path, Naming naming) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto fresh = std::make_unique<CBrenvikaDoc>();
    FileOutcome outcome;
    const FileError error = load(absolute, *fresh, outcome);

    m_lastOpenFailed = error != FileError::None;
    if (error != FileError::None) {
        showFileError(static_cast<int>(error), absolute, outcome.systemError);
        // A file that could not be opened at all leaves the shown house as it was; a file that was
        // read in part leaves a new, untitled house (a rejected one too, so that a plain save never
        // overwrites the rejected file with it).
        if (error != FileError::OpenFailed) {
            m_doc->newHouse();
            m_registration->afterUntitledRead();
            setPath(QString());
            watch(FileStamp{});
            emit houseReplaced();
        }
        return false;
    }
    m_doc->takeHouseFrom(*fresh);
    m_doc->setModified(false);
    if (naming == Naming::TakePath) {
        m_registration->afterRead(toLocalPath(absolute));
        setPath(absolute);
        watch(outcome.stamp);
        m_recent.add(absolute);
        emit recentFilesChanged();
    } else {
        m_registration->afterUntitledRead();
        setPath(QString());
        watch(FileStamp{});
    }
    emit houseReplaced();
    return true;
}

bool DocumentController::openRecovered(const std::string& house, const QString& path) {
    if (m_busy || !saveModified())
        return false;
    auto fresh = std::make_unique<CBrenvikaDoc>();
    if (readProject(house, *fresh) != FileError::None) {
        showFileError(static_cast<int>(FileError::UnexpectedFormat), path, 0);
        return false;
    }
    m_doc->takeHouseFrom(*fresh);
    if (path.isEmpty()) {
        m_registration->afterUntitledRead();
        setPath(QString());
        watch(FileStamp{});
    } else {
        // The file as it is now is what a save would overwrite; changes made to it since the
        // crash do not make the save ask.
        m_registration->afterRead(toLocalPath(path));
        setPath(path);
        watch(stampOfFile(toLocalPath(path)));
    }
    // Modified before anyone hears of the new house, so the title marks it at once.
    m_doc->setModified(true);
    emit houseReplaced();
    return true;
}

void DocumentController::watch(const FileStamp& stamp) {
    m_diskStamp = stamp;
    m_diskCheck.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    const QString path = pathName();
    if (!stamp.known || path.isEmpty())
        return;
    m_watcher.addPath(path);
    m_watcher.addPath(QFileInfo(path).absolutePath());
}

void DocumentController::checkFileOnDisk() {
    const QString path = pathName();
    if (path.isEmpty() || !m_diskStamp.known)
        return;
    if (m_busy) {
        m_diskCheck.start();
        return;
    }
    // A replaced file is a new one: watch it again.
    if (!m_watcher.files().contains(path) && QFileInfo::exists(path))
        m_watcher.addPath(path);
    const std::string file = toLocalPath(path);
    // Only when its size or time moved is the file read again: the folder changes for many
    // reasons.
    if (statOfFile(file).sameSizeAndTime(m_diskStamp))
        return;
    const FileStamp now = stampOfFile(file);
    if (!now.known || now.sameContent(m_diskStamp)) {
        if (now.known)
            m_diskStamp = now;
        return;
    }
    // Changes made here win over the file until the user saves; the save then asks.
    if (m_doc->isModified())
        return;
    auto fresh = std::make_unique<CBrenvikaDoc>();
    FileOutcome outcome;
    if (load(path, *fresh, outcome) != FileError::None || m_doc->isModified())
        return; // a file caught half-written by some other tool: the next change tries again
    m_doc->takeHouseFrom(*fresh);
    m_doc->setModified(false);
    m_diskStamp = outcome.stamp;
    emit houseReplaced();
    emit reloadedFromDisk(title());
}

bool DocumentController::save() {
    if (m_busy)
        return false;
    const QString path = pathName();
    if (path.isEmpty())
        return saveAs();
    return writeTo(path);
}

bool DocumentController::saveAs() {
    if (m_busy)
        return false;
    SettingsFile* settings = &m_recent.settingsFile();
    const QString suggestion =
        QDir(dialogStartFolder(pathName(), FileDialogKind::Save, settings))
            .filePath(pathName().isEmpty() ? title() + QStringLiteral(".av")
                                           : QFileInfo(pathName()).fileName());
    QString path =
        //: The title of the file dialog that saves the house under a new name.
        m_prompter.askSaveFileName(m_window, {tr("Save As"), suggestion, houseFilter(), {}});
    if (path.isEmpty())
        return false;
    rememberDialogFolder(FileDialogKind::Save, path, settings);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".av");
    return writeTo(path);
}

bool DocumentController::mayOverwrite(const QString& absolute) {
    if (absolute != pathName() || !m_diskStamp.known)
        return true;
    const FileStamp now = stampOfFile(toLocalPath(absolute));
    // A file that is gone or unreadable now is simply written again.
    if (!now.known || now.sameContent(m_diskStamp))
        return true;
    const int choice = m_prompter.askChoice(
        m_window,
        {tr("%1 was changed by another program since it was opened here.\n\n"
            "Overwrite it with the house shown here, or reload it from the file "
            "(the changes made here since are lost)?")
             .arg(absolute),
         Prompter::Icon::Warning},
        {tr("&Overwrite"), tr("&Reload"), tr("Cancel")});
    if (choice == 1)
        readInto(absolute, Naming::TakePath);
    return choice == 0;
}

bool DocumentController::writeTo(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!mayOverwrite(absolute))
        return false;
    keepVersion(absolute);
    FileError error = FileError::SaveFailed;
    FileOutcome outcome;
    try {
        error = saveProject(toLocalPath(absolute), *m_doc, &outcome);
    } catch (const std::exception&) {
        // Out of memory while building the file's bytes: the old file is still untouched.
        outcome.systemError = ENOMEM;
    }
    if (error != FileError::None) {
        showFileError(static_cast<int>(error), absolute, outcome.systemError);
        return false;
    }
    m_doc->setModified(false);
    setPath(absolute);
    watch(outcome.stamp);
    m_registration->afterWrite(toLocalPath(absolute));
    m_recent.add(absolute);
    emit recentFilesChanged();
    emit houseSaved();
    return true;
}

std::string DocumentController::versionsFolder() const {
    return pathName().isEmpty()
               ? std::string()
               : versionsFolderFor(projectKey(toLocalPath(pathName())), m_versionsRoot);
}

void DocumentController::keepVersion(const QString& absolute) {
    const std::string file = toLocalPath(absolute);
    const KeepOutcome kept = keepEarlierVersion(file, projectKey(file), m_versionsRoot);
    if (kept.result != KeepOutcome::Result::Failed) {
        m_versionProblemSaid = false;
        return;
    }
    if (m_versionProblemSaid)
        return;
    m_versionProblemSaid = true;
    emit versionNotKept(tr("The house was saved, but its earlier version could not be kept: %1")
                            .arg(QString::fromLocal8Bit(kept.error)));
}

void DocumentController::showFileError(int code, const QString& path, int systemError) {
    const auto error = static_cast<FileError>(code);
    QString text = QCoreApplication::translate("ardenvo::ProjectFile", fileErrorMessage(error));
    if (error == FileError::WrongVersion) {
        m_prompter.message(m_window, {text, Prompter::Icon::None, Prompter::Title::Error});
        return;
    }
    // The message as the user knows it, then which file and what the system said.
    if (systemError != 0)
        text += QStringLiteral("\n%1: %2")
                    .arg(path, QString::fromLocal8Bit(std::strerror(systemError)));
    m_prompter.message(m_window, {text, Prompter::Icon::Warning});
}

} // namespace ardenvo
