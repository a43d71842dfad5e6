#include "shell/CMainFrame.h"

#include "catalogue/ObjectsDialog.h"
#include "importer/dialog/ImportDialog.h"
#include "labels/dialog/LabelsDialog.h"
#include "planeditor/layout/UnitTable.h"
#include "planeditor/view/CBrenvikaView.h"
#include "planeditor/view/SectionsDialog.h"
#include "planeditor/view/StandardDialogHooks.h"
#include "platform/AppPaths.h"
#include "platform/Settings.h"
#include "search/dialog/InventoryDialog.h"
#include "search/dialog/SearchDialog.h"
#include "shell/AboutDialog.h"
#include "shell/DocumentController.h"
#include "shell/HelpLauncher.h"
#include "shell/RecentFileList.h"
#include "shell/SplashWindow.h"
#include "shell/StartupOptions.h"
#include "shell/StatusBarPanes.h"
#include "shell/ToolbarIcons.h"
#include "shell/UndoController.h"
#include "widgets/Prompter.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>

#include <iterator>

namespace ardenvo {

namespace {

QString resourceFile(const char* name) {
    const auto found = AppPaths::findResource(name);
    return found ? QString::fromStdString(*found) : QString();
}

} // namespace

CMainFrame::CMainFrame(DocumentController& controller, RecentFileList& recent, Prompter& prompter,
                       QWidget* parent)
    : QMainWindow(parent), m_controller(controller), m_recent(recent), m_prompter(prompter) {
    setWindowIcon(appIcon());
    setAcceptDrops(true);
    m_view = new CBrenvikaView(controller.document(), this);
    m_view->setPrompter(m_prompter);
    PlanDialogHooks hooks = standardDialogHooks(m_prompter);
    hooks.objectsInside = [this](QWidget* parent, CBrenvikaDoc& doc, CBlock& block,
                                 CHouseObject* selected) {
        ObjectsDialog::run(parent, doc, block, selected, objectsDialogServices());
    };
    m_view->setDialogHooks(std::move(hooks));
    setCentralWidget(m_view);
    m_view->setFocus();

    m_undo = new UndoController(controller, this);
    connect(m_view, &CBrenvikaView::editBegins, m_undo, &UndoController::beginStep);
    connect(m_view, &CBrenvikaView::editEnds, m_undo, &UndoController::endStep);

    createActions();
    createEditActions();
    createArchiveActions();
    createMenus();
    createToolBar();

    auto* ready = new QLabel(tr("Ready"));
    statusBar()->addWidget(ready, 1);
    m_panes = new StatusBarPanes(statusBar());
    connect(m_view, &CBrenvikaView::statusMessage, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->clearMessage();
        else
            statusBar()->showMessage(text);
    });
    connect(m_view, &CBrenvikaView::sizeText, m_panes, &StatusBarPanes::setSizeText);
    connect(&m_controller, &DocumentController::reloadedFromDisk, this,
            [this](const QString& title) {
                statusBar()->showMessage(
                    tr("%1 was changed by another program and has been reloaded.").arg(title));
            });
    connect(&m_controller, &DocumentController::titleChanged, this, &CMainFrame::updateTitle);
    // Every way the house's modified state changes ends in one of these: an edit step ends or
    // is undone or redone, the plan marks a change while it goes on, a save or a new house.
    connect(m_undo, &UndoController::changed, this, &CMainFrame::updateModifiedMark);
    connect(m_view, &CBrenvikaView::documentModified, this, &CMainFrame::updateModifiedMark);
    connect(&m_controller, &DocumentController::houseSaved, this, &CMainFrame::updateModifiedMark);
    connect(&m_controller, &DocumentController::houseReplaced, this,
            &CMainFrame::updateModifiedMark);
    connect(&m_controller, &DocumentController::recentFilesChanged, this,
            &CMainFrame::rebuildRecentFiles);
    m_controller.setWindow(this);
    updateTitle();
    rebuildRecentFiles();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::addAction(const QString& name, const QString& text, const QString& statusTip) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    a->setStatusTip(statusTip);
    // Actions belong to the window, so their keys work while the toolbar is hidden too.
    QWidget::addAction(a);
    return a;
}

QAction* CMainFrame::action(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void CMainFrame::createActions() {
    auto* a = addAction("fileNew", tr("&New"), tr("Create a new document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setIcon(toolIcon(ToolIcon::New));
    a->setToolTip(tr("New"));
    connect(a, &QAction::triggered, &m_controller, [this] { m_controller.newDocument(); });

    a = addAction("fileOpen", tr("&Open..."), tr("Open an existing document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    a->setIcon(toolIcon(ToolIcon::Open));
    a->setToolTip(tr("Open"));
    connect(a, &QAction::triggered, &m_controller, [this] { m_controller.openWithDialog(); });

    a = addAction("fileSave", tr("&Save"), tr("Save the active document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    a->setIcon(toolIcon(ToolIcon::Save));
    a->setToolTip(tr("Save"));
    connect(a, &QAction::triggered, &m_controller, [this] { m_controller.save(); });

    a = addAction("fileSaveAs", tr("Save &As..."), tr("Save the active document with a new name"));
    connect(a, &QAction::triggered, &m_controller, [this] { m_controller.saveAs(); });

    a = addAction(
        "inventoryReport", tr("&Inventory report..."),
        tr("Print or save the inventory of the house, room by room, with values and photos"));
    connect(a, &QAction::triggered, this,
            [this] { InventoryDialog::run(this, m_controller.document(), m_prompter); });

    a = addAction("printLabels", tr("Print &labels..."),
                  tr("Print labels with QR codes that tell what boxes, shelves and rooms hold"));
    connect(a, &QAction::triggered, this, [this] {
        // Codes new to the house are one step to undo.
        m_undo->beginStep();
        LabelsDialog::run(this, m_controller.document(), nullptr, m_prompter);
        //: The name of a step in Edit > Undo.
        m_undo->endStep(tr("Label codes"));
    });
    a = addAction("fileImport", tr("I&mport objects..."),
                  tr("Add objects from a spreadsheet or another inventory's CSV file"));
    connect(a, &QAction::triggered, this, &CMainFrame::runImport);

    a = addAction("appExit", tr("E&xit"), tr("Quit the application; prompts to save documents"));
    connect(a, &QAction::triggered, this, &QWidget::close);

    a = addAction("search", tr("&Ask the tobrin..."), tr("Ask the tobrin to find something"));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_A));
    a->setIcon(toolIcon(ToolIcon::Tobrin));
    a->setToolTip(tr("Ask the tobrin"));
    connect(a, &QAction::triggered, this, &CMainFrame::runSearch);

    a = addAction("sections", tr("&Sections..."),
                  tr("Lets you create/delete/rename sections of the house"));
    a->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    a->setIcon(toolIcon(ToolIcon::Sections));
    a->setToolTip(tr("Sections"));
    connect(a, &QAction::triggered, this, &CMainFrame::runSections);

    struct ViewCommand {
        const char* name;
        const char* text;
        const char* tip;
        ToolIcon icon;
        void (CBrenvikaView::*slot)();
    };
    const ViewCommand commands[] = {
        {"scrollEast", QT_TR_NOOP("Scroll to the east"),
         QT_TR_NOOP("I want to see what's to the east"), ToolIcon::ScrollEast,
         &CBrenvikaView::scrollEast},
        {"scrollWest", QT_TR_NOOP("Scroll to the west"),
         QT_TR_NOOP("I want to see what's to the west"), ToolIcon::ScrollWest,
         &CBrenvikaView::scrollWest},
        {"scrollNorth", QT_TR_NOOP("Scroll to the north"),
         QT_TR_NOOP("I want to see what's to the north"), ToolIcon::ScrollNorth,
         &CBrenvikaView::scrollNorth},
        {"scrollSouth", QT_TR_NOOP("Scroll to the south"),
         QT_TR_NOOP("I want to see what's to the south"), ToolIcon::ScrollSouth,
         &CBrenvikaView::scrollSouth},
        {"center", QT_TR_NOOP("Center the image"), QT_TR_NOOP("Centers the image on the house"),
         ToolIcon::Center, &CBrenvikaView::fitToWindow},
        {"actualSize", QT_TR_NOOP("Actual size"), QT_TR_NOOP("Brings the image to the actual size"),
         ToolIcon::ActualSize, &CBrenvikaView::actualSize},
        {"zoomIn", QT_TR_NOOP("Zoom in"), QT_TR_NOOP("Enlarge the image"), ToolIcon::ZoomIn,
         &CBrenvikaView::zoomIn},
        {"zoomOut", QT_TR_NOOP("Zoom out"), QT_TR_NOOP("Shrink the image"), ToolIcon::ZoomOut,
         &CBrenvikaView::zoomOut},
    };
    for (const ViewCommand& c : commands) {
        a = addAction(c.name, tr(c.text), tr(c.tip));
        a->setIcon(toolIcon(c.icon));
        connect(a, &QAction::triggered, m_view, c.slot);
    }

    // The plan has nothing to print; the button is there, greyed, as in the other views.
    a = addAction("print", tr("&Print..."), tr("Print the active document"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    a->setIcon(toolIcon(ToolIcon::Print));
    a->setToolTip(tr("Print"));
    a->setEnabled(false);

    a = addAction("helpTopics", tr("Help &Topics"), tr("List Help topics"));
    a->setShortcut(QKeySequence(Qt::Key_F1));
    connect(a, &QAction::triggered, this, &CMainFrame::showHelp);

    a = addAction("appAbout", tr("&About Ardenvo..."),
                  tr("Display program information, version number and copyright"));
    a->setIcon(toolIcon(ToolIcon::About));
    a->setToolTip(tr("About"));
    connect(a, &QAction::triggered, this, &CMainFrame::showAbout);

    auto* units = new QActionGroup(this);
    // The plan's own names of the units, each with a letter of its own for the menu.
    const char* const unitTexts[] = {QT_TR_NOOP("&Centimeters"), QT_TR_NOOP("&Meters"),
                                     QT_TR_NOOP("&Inches"), QT_TR_NOOP("&Feet"),
                                     QT_TR_NOOP("&Yards")};
    static_assert(std::size(unitTexts) == UnitTable::kCount);
    for (int i = 0; i < UnitTable::kCount; ++i) {
        a = addAction(QStringLiteral("unit%1").arg(i), tr(unitTexts[i]), QString());
        a->setCheckable(true);
        units->addAction(a);
        connect(a, &QAction::triggered, m_view, [this, i] { m_view->setUnit(i); });
        m_unitActions << a;
    }
}

void CMainFrame::createEditActions() {
    QAction* a = addAction("editUndo", tr("&Undo"), tr("Undo the last action"));
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    a->setIcon(toolIcon(ToolIcon::Undo));
    connect(a, &QAction::triggered, m_undo, &UndoController::undo);

    a = addAction("editRedo", tr("&Redo"), tr("Redo the previously undone action"));
    a->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    a->setIcon(toolIcon(ToolIcon::Redo));
    connect(a, &QAction::triggered, m_undo, &UndoController::redo);

    connect(m_undo, &UndoController::changed, this, &CMainFrame::updateEditActions);
    updateEditActions();
}

void CMainFrame::updateEditActions() {
    const UndoHistory& history = m_undo->history();
    for (auto [name, text, menuText, enabled] :
         {std::tuple{"editUndo", m_undo->undoText(), m_undo->undoMenuText(), history.canUndo()},
          std::tuple{"editRedo", m_undo->redoText(), m_undo->redoMenuText(), history.canRedo()}}) {
        QAction* a = action(name);
        a->setText(menuText);
        a->setToolTip(text);
        a->setEnabled(enabled);
    }
}

void CMainFrame::createMenus() {
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->addAction(action("fileNew"));
    m_fileMenu->addAction(action("fileOpen"));
    m_fileMenu->addAction(action("fileSave"));
    m_fileMenu->addAction(action("fileSaveAs"));
    m_fileMenu->addSeparator();
    m_recentAnchor = m_fileMenu->addSeparator();
    m_fileMenu->addAction(action("inventoryReport"));
    m_fileMenu->addAction(action("printLabels"));
    m_fileMenu->addAction(action("fileImport"));
    m_fileMenu->addAction(action("fileEarlierVersions"));
    m_fileMenu->addAction(action("fileExportArchive"));
    m_fileMenu->addAction(action("fileImportArchive"));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(action("appExit"));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(action("editUndo"));
    edit->addAction(action("editRedo"));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->addAction(action("search"));
    options->addAction(action("sections"));
    QMenu* units = options->addMenu(tr("&Units of measurement"));
    units->addActions(m_unitActions);
    connect(units, &QMenu::aboutToShow, this, [this] {
        const int current = m_view->units().index();
        for (int i = 0; i < m_unitActions.size(); ++i)
            m_unitActions[i]->setChecked(i == current);
    });

    //: The menu of the bars the window shows; Alt+A and Alt+S are the keys of two commands already.
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName("viewMenu");
    // Filled in createToolBar, once the bars exist.

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(action("helpTopics"));
    help->addSeparator();
    help->addAction(action("appAbout"));
}

void CMainFrame::createToolBar() {
    //: The toolbar's name, shown where the desktop lists the window's bars.
    QToolBar* bar = addToolBar(tr("Standard"));
    bar->setObjectName("standardToolBar");
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    const char* order[] = {"fileNew",     "fileOpen",    "fileSave",   nullptr,      "editUndo",
                           "editRedo",    nullptr,       "scrollEast", "scrollWest", nullptr,
                           "scrollNorth", "scrollSouth", nullptr,      "center",     nullptr,
                           "actualSize",  nullptr,       "zoomIn",     "zoomOut",    nullptr,
                           "sections",    nullptr,       "search",     nullptr,      "print",
                           nullptr,       "appAbout"};
    for (const char* name : order) {
        if (name)
            bar->addAction(action(name));
        else
            bar->addSeparator();
    }

    QMenu* view = menuBar()->findChild<QMenu*>("viewMenu");
    QAction* toolbarToggle = bar->toggleViewAction();
    toolbarToggle->setText(tr("&Toolbar"));
    toolbarToggle->setObjectName("viewToolbar");
    toolbarToggle->setStatusTip(tr("Show or hide the toolbar"));
    view->addAction(toolbarToggle);
    auto* statusToggle =
        addAction("viewStatusBar", tr("&Status Bar"), tr("Show or hide the status bar"));
    statusToggle->setCheckable(true);
    connect(statusToggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    view->addAction(statusToggle);

    // The bars come back as the user left them; each choice is kept at once.
    Settings settings(m_recent.settingsFile());
    bar->setVisible(settings.toolbarVisible());
    toolbarToggle->setChecked(settings.toolbarVisible());
    statusToggle->setChecked(settings.statusBarVisible());
    statusBar()->setVisible(settings.statusBarVisible());
    connect(toolbarToggle, &QAction::triggered, this,
            [this](bool on) { Settings(m_recent.settingsFile()).setToolbarVisible(on); });
    connect(statusToggle, &QAction::triggered, this,
            [this](bool on) { Settings(m_recent.settingsFile()).setStatusBarVisible(on); });
}

void CMainFrame::rebuildRecentFiles() {
    for (QAction* a : m_recentActions) {
        m_fileMenu->removeAction(a);
        a->deleteLater();
    }
    m_recentActions.clear();
    const QStringList files = m_recent.files();
    if (files.isEmpty()) {
        //: Stands, greyed, where the houses opened last are listed when there are none yet.
        auto* placeholder = new QAction(tr("Recent File"), this);
        placeholder->setEnabled(false);
        m_recentActions << placeholder;
    }
    for (int i = 0; i < files.size(); ++i) {
        QString shown = files[i];
        shown.replace('&', "&&");
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
        a->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        a->setStatusTip(tr("Open this document"));
        connect(a, &QAction::triggered, this, [this, i] { openRecent(i); });
        m_recentActions << a;
    }
    m_fileMenu->insertActions(m_recentAnchor, m_recentActions);
}

bool CMainFrame::openRecent(int index) {
    const QStringList files = m_recent.files();
    if (index < 0 || index >= files.size())
        return false;
    const bool opened = m_controller.openDocument(files[index]);
    if (!opened && m_controller.lastOpenFailed()) {
        m_recent.remove(files[index]);
        rebuildRecentFiles();
    }
    return opened;
}

void CMainFrame::startupNotice(const std::vector<std::string>& predoneFolders) {
    // The plan was first fitted before the window had its real size.
    m_view->fitToWindow();
    // A house recovered after a crash is shown already.
    if (!m_controller.pathName().isEmpty() || m_controller.isModified())
        return;
    QStringList recentFiles;
    if (m_recent.isAccessible())
        recentFiles = m_recent.files();
    else
        m_prompter.message(this, {tr("Access denied to the registry!"), Prompter::Icon::Stop,
                                  Prompter::Title::Error});
    const QStringList predone = findPredoneHouses(predoneFolders);
    const ChooseHouseDialog::Choice choice =
        m_chooser ? m_chooser(this, predone, recentFiles)
                  : ChooseHouseDialog::run(this, predone, recentFiles, m_prompter);
    switch (choice.kind) {
    case ChooseHouseDialog::Choice::Kind::Predone:
        m_controller.loadPredone(choice.path);
        break;
    case ChooseHouseDialog::Choice::Kind::Recent:
        openRecent(choice.recentIndex);
        break;
    case ChooseHouseDialog::Choice::Kind::Continue:
        break;
    }
}

SplashWindow* CMainFrame::showSplash(const QString& picturePath, int lifetimeMs) {
    if (m_splash)
        return m_splash;
    m_splash = new SplashWindow(picturePath, this, lifetimeMs);
    m_splash->present();
    return m_splash;
}

void CMainFrame::showAbout() {
    AboutDialog::run(this, resourceFile("splash.jpg"));
}

void CMainFrame::showHelp() {
    openHelp(m_prompter, {}, this);
}

ObjectsDialogServices CMainFrame::objectsDialogServices() {
    ObjectsDialogServices services;
    services.prompter = &m_prompter;
    services.help = [this](QWidget* from, const QString& topic) {
        openHelp(m_prompter, topic, from);
    };
    // The field files start where Open and Save As would, in a folder of their own.
    services.fieldSettings.housePath = m_controller.pathName();
    services.fieldSettings.folderSettings = &m_recent.settingsFile();
    return services;
}

void CMainFrame::updateTitle() {
    // The desktop marks unsaved changes where the placeholder stands (an asterisk on most).
    setWindowTitle(m_controller.title() + QStringLiteral("[*] - ") + applicationTitle());
    updateModifiedMark();
}

void CMainFrame::updateModifiedMark() {
    setWindowModified(m_controller.isModified());
}

void CMainFrame::runSections() {
    // Sections renamed or deleted show on the next redraw; a new active section needs new figures.
    m_undo->beginStep();
    if (SectionsDialog::run(this, m_controller.document(), m_prompter))
        m_view->rebuildPlan();
    else
        m_view->update();
    //: The name of a step in Edit > Undo.
    m_undo->endStep(tr("Sections"));
}

void CMainFrame::runImport() {
    // The whole import is one step: Cancel changes nothing, so it leaves none.
    m_undo->beginStep();
    if (ImportDialog::run(this, m_controller.document(), m_prompter))
        m_view->rebuildPlan();
    //: The name of a step in Edit > Undo.
    m_undo->endStep(tr("Import objects"));
}

void CMainFrame::runSearch() {
    SearchDialog::run(this, m_controller.document(), m_prompter);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_controller.isBusy() || !m_controller.saveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            activateWindow();
            m_controller.openDocument(url.toLocalFile());
            return;
        }
    }
}

} // namespace ardenvo
