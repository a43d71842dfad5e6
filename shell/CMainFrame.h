#pragma once

#include "shell/SplashWindow.h"

#include "catalogue/ObjectsDialogServices.h"
#include "shell/ChooseHouseDialog.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;

namespace ardenvo {

class CBrenvikaView;
class DocumentController;
class Prompter;
class RecentFileList;

class StatusBarPanes;
class UndoController;

// The main window: menus, toolbar, status bar with its clock, and the plan view in the middle.
// Its title is the document's title followed by the program's name.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(DocumentController& controller, RecentFileList& recent, Prompter& prompter,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CBrenvikaView* view() const { return m_view; }
    StatusBarPanes* panes() const { return m_panes; }
    UndoController* undoController() const { return m_undo; }
    // Actions by object name ("fileNew", "zoomIn", ...), for the toolbar, menus and tests.
    QAction* action(const QString& name) const;
    QMenu* recentFileMenuOwner() const { return m_fileMenu; }

    // Shows the splash picture over the window; no second one while one is shown.
    SplashWindow* showSplash(const QString& picturePath, int lifetimeMs = 1000);
    SplashWindow* splash() const { return m_splash; }

    // Opens entry `index` (from 0) of the recent-file list; an entry that fails to open leaves the
    // list.
    bool openRecent(int index);

    // Shows the Choose dialog and opens what it returns; tests put their own answer in its place.
    using Chooser = std::function<ChooseHouseDialog::Choice(
        QWidget* parent, const QStringList& predone, const QStringList& recent)>;
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }
    // The start-up notice: fits the plan to the window and, when no project was opened, offers the
    // predone houses found in `predoneFolders` and the recent files.
    void startupNotice(const std::vector<std::string>& predoneFolders);
    // What the "Objects inside" dialog opens besides its own dialogs: the manual for "Help", and
    // the frame's prompter for its messages.
    ObjectsDialogServices objectsDialogServices();

public slots:
    void showAbout();
    void showHelp();
    void updateTitle();
    // Marks the title while the house has unsaved changes.
    void updateModifiedMark();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void rebuildRecentFiles();
    void createEditActions();
    void updateEditActions();
    void runSections();
    void runSearch();
    // File > "Earlier versions...", "Export with pictures...", "Import archive..." (in
    // CMainFrameArchive.cpp).
    void createArchiveActions();
    void showEarlierVersions();
    void exportArchive();
    void importArchive();
    void runImport();
    QAction* addAction(const QString& name, const QString& text, const QString& statusTip);

    DocumentController& m_controller;
    RecentFileList& m_recent;
    Prompter& m_prompter;
    CBrenvikaView* m_view = nullptr;
    StatusBarPanes* m_panes = nullptr;
    UndoController* m_undo = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentAnchor = nullptr; // recent entries go just before it
    QList<QAction*> m_recentActions;
    QList<QAction*> m_unitActions;
    QPointer<SplashWindow> m_splash;
    Chooser m_chooser;
};

} // namespace ardenvo
