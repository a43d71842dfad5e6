#include "shell/DocumentController.h"

#include "coordination/DocumentRegistration.h"
#include "model/ProjectFile.h"
#include "shell/Prompter.h"
#include "shell/RecentFileList.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <exception>
#include <thread>

namespace ardenvo {

namespace {

const QString kAppName = QStringLiteral("Ardenvo");
const QString kFilter = QStringLiteral("Ardv Files (*.av)");

std::string toLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

DocumentController::DocumentController(Prompter& prompter, RecentFileList& recent, QObject* parent)
    : QObject(parent), m_doc(std::make_unique<CBrenvikaDoc>()),
      m_registration(std::make_unique<DocumentRegistration>()), m_prompter(prompter),
      m_recent(recent) {}

// The registration's destructor takes this program's entry out of the shared table.
DocumentController::~DocumentController() = default;

QString DocumentController::pathName() const {
    return QFile::decodeName(QByteArray::fromStdString(m_doc->pathName()));
}

QString DocumentController::title() const {
    const QString path = pathName();
    return path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
}

void DocumentController::setPath(const QString& path) {
    m_doc->setPathName(toLocalPath(path));
    emit titleChanged(title());
}

bool DocumentController::saveModified() {
    if (!m_doc->isModified())
        return true;
    const QString name = pathName().isEmpty() ? title() : pathName();
    switch (m_prompter.askYesNoCancel(kAppName, QStringLiteral("Save changes to %1?").arg(name))) {
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
    setPath(QString());
    return true;
}

bool DocumentController::openWithDialog() {
    if (m_busy)
        return false;
    const QString path = m_prompter.askOpenFileName(QStringLiteral("Open"), kFilter);
    return !path.isEmpty() && openDocument(path);
}

bool DocumentController::openDocument(const QString& path) {
    m_lastOpenFailed = false;
    if (m_busy || !saveModified())
        return false;
    return readInto(path, Naming::TakePath);
}

bool DocumentController::loadPredone(const QString& path) {
    m_lastOpenFailed = false;
    if (m_busy || !saveModified())
        return false;
    return readInto(path, Naming::StayUntitled);
}

bool DocumentController::readInto(const QString& path, Naming naming) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // The model has no locks: the file is read into a document nobody else sees, and only
    // swapped into the shown one back on this thread.
    auto fresh = std::make_unique<CBrenvikaDoc>();
    FileError error = FileError::None;
    m_busy = true;
    {
        QEventLoop loop;
        QProgressDialog progress(
            QStringLiteral("Opening %1...").arg(QFileInfo(absolute).fileName()), QString(), 0, 0,
            m_progressParent);
        progress.setWindowTitle(kAppName);
        progress.setWindowModality(m_progressParent ? Qt::WindowModal : Qt::ApplicationModal);
        progress.setCancelButton(nullptr);
        progress.setMinimumDuration(m_progressDelay);
        progress.setAutoClose(false);
        progress.setValue(0);
        std::thread worker([&, file = toLocalPath(absolute)] {
            // An exception must not escape the thread (that would end the program).
            try {
                error = loadProject(file, *fresh);
            } catch (const std::exception&) {
                error = FileError::UnexpectedFormat;
            }
            QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
        });
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        worker.join();
    }
    m_busy = false;

    m_lastOpenFailed = error != FileError::None;
    if (error != FileError::None) {
        showFileError(static_cast<int>(error));
        // A file that could not be opened at all leaves the shown house as it was; a file that was
        // read in part leaves a new, untitled house (a rejected one too, so that a plain save never
        // overwrites the rejected file with it).
        if (error != FileError::OpenFailed) {
            m_doc->newHouse();
            setPath(QString());
        }
        return false;
    }
    m_doc->takeHouseFrom(*fresh);
    m_doc->setModified(false);
    if (naming == Naming::TakePath) {
        m_registration->afterRead(toLocalPath(absolute));
        setPath(absolute);
        m_recent.add(absolute);
        emit recentFilesChanged();
    } else {
        m_registration->afterUntitledRead();
        setPath(QString());
    }
    return true;
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
    const QString suggestion = pathName().isEmpty() ? title() + QStringLiteral(".av") : pathName();
    QString path = m_prompter.askSaveFileName(QStringLiteral("Save As"), suggestion, kFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".av");
    return writeTo(path);
}

bool DocumentController::writeTo(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    FileError error = FileError::SaveFailed;
    try {
        error = saveProject(toLocalPath(absolute), *m_doc);
    } catch (const std::exception&) {
        // Out of memory while building the file's bytes: the old file is still untouched.
    }
    if (error != FileError::None) {
        showFileError(static_cast<int>(error));
        return false;
    }
    m_doc->setModified(false);
    setPath(absolute);
    m_registration->afterWrite(toLocalPath(absolute));
    m_recent.add(absolute);
    emit recentFilesChanged();
    return true;
}

void DocumentController::showFileError(int code) {
    const auto error = static_cast<FileError>(code);
    const QString text = QString::fromUtf8(fileErrorMessage(error));
    if (error == FileError::WrongVersion) {
        m_prompter.message(QStringLiteral("Error"), text, Prompter::Icon::None);
        return;
    }
    m_prompter.message(kAppName, text, Prompter::Icon::Warning);
}

} // namespace ardenvo
