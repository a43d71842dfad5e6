#pragma once

#include "model/CBrenvikaDoc.h"

#include "model/ProjectFile.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace ardenvo {

class DocumentRegistration;
class Prompter;
class RecentFileList;

// The main program's document as the user handles it: new, open, save, save as, the question
// before changes are dropped, the title, the recent-file list, and the hooks that tell the
// reminder program about every project opened or saved. The house itself is the plain model
// document; this class adds what needs Qt and the user.
class DocumentController : public QObject {
    Q_OBJECT
public:
    DocumentController(Prompter& prompter, RecentFileList& recent, QObject* parent = nullptr);
    ~DocumentController() override;
    DocumentController(const DocumentController&) = delete;
    DocumentController& operator=(const DocumentController&) = delete;

    CBrenvikaDoc& document() { return *m_doc; }
    const CBrenvikaDoc& document() const { return *m_doc; }

    // "Untitled" or the file name of the project.
    QString title() const;
    QString pathName() const;
    bool isModified() const { return m_doc->isModified(); }

    // The window its questions, messages and the progress window of a slow open belong to.
    void setWindow(QWidget* window) { m_window = window; }
    // Opens slower than this show a progress window (milliseconds).
    void setProgressDelay(int ms) { m_progressDelay = ms; }
    bool isBusy() const { return m_busy; }
    // Whether the last open or load ended with a file error (not a cancelled question).
    bool lastOpenFailed() const { return m_lastOpenFailed; }

    // Each asks "Save changes to %1?" first when the house is modified; false when the user
    // cancelled or the operation failed (the message has been shown then).
    bool newDocument();
    // A house in one of the folders of the program's own files opens as loadPredone does.
    bool openDocument(const QString& path);
    // Those folders (tests); the program's resource directories by default.
    void setShippedFolders(std::vector<std::string> folders) {
        m_shippedFolders = std::move(folders);
    }
    bool openWithDialog();
    // Loads a predone house: the house shows, the document stays "Untitled", so a later save asks
    // for a new name instead of overwriting the shipped file.
    bool loadPredone(const QString& path);
    // Shows a house recovered after a crash: `house` is its file's bytes, `path` its own file
    // (empty when it was never saved). The house is modified; false when the bytes are not a
    // house (the message has been shown then).
    bool openRecovered(const std::string& house, const QString& path);
    bool save();
    bool saveAs();
    // The question itself: true when it is fine to drop the house (saved, or the user said No).
    bool saveModified();

    // Looks whether another program changed the project's file; an unmodified house is reloaded
    // from it. Runs by itself shortly after the file or its folder changes.
    void checkFileOnDisk();
    // The project's file as last read or written here.
    const FileStamp& diskStamp() const { return m_diskStamp; }

    // Where the earlier versions of houses are kept (tests); versionsRoot() by default.
    void setVersionsRoot(std::string root) { m_versionsRoot = std::move(root); }
    std::string versionsFolder() const;

signals:
    void titleChanged(const QString& title);
    void recentFilesChanged();
    // The house was reloaded because another program changed its file.
    void reloadedFromDisk(const QString& title);
    // Another house took the place of the shown one (new, open, reload); not sent for undo.
    void houseReplaced();
    // The house was written to its file.
    void houseSaved();
    // The file a save replaced could not be kept as an earlier version (the save went on); said
    // once until versions can be kept again.
    void versionNotKept(const QString& reason);

private:
    enum class Naming { TakePath, StayUntitled };
    bool readInto(const QString& path, Naming naming);
    // Reads the file into `fresh` off the GUI thread, with a progress window when it is slow.
    FileError load(const QString& absolute, CBrenvikaDoc& fresh, FileOutcome& outcome);
    bool writeTo(const QString& path);
    // Before a save over the project's own file: true to go on writing. When another program
    // changed the file since it was read or written here, the user decides.
    bool mayOverwrite(const QString& absolute);
    void setPath(const QString& path);
    void showFileError(int error, const QString& path, int systemError);
    void watch(const FileStamp& stamp);
    // Keeps the file about to be replaced as an earlier version; never stops the save.
    void keepVersion(const QString& absolute);

    std::unique_ptr<CBrenvikaDoc> m_doc;
    std::unique_ptr<DocumentRegistration> m_registration;
    Prompter& m_prompter;
    RecentFileList& m_recent;
    QWidget* m_window = nullptr;
    int m_progressDelay = 500;
    bool m_busy = false;
    bool m_lastOpenFailed = false;
    FileStamp m_diskStamp; // the project's file as last read or written here
    std::vector<std::string> m_shippedFolders;
    QFileSystemWatcher m_watcher;
    QTimer m_diskCheck;
    std::string m_versionsRoot;
    bool m_versionProblemSaid = false;
};

} // namespace ardenvo
