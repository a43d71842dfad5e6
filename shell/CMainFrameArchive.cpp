// The frame's commands for earlier versions of the house and the whole-house archive.
#include "archive/dialog/ArchiveActions.h"
#include "history/dialog/VersionsDialog.h"
#include "platform/AppPaths.h"
#include "platform/DialogFolders.h"
#include "shell/CMainFrame.h"
#include "shell/DocumentController.h"
#include "shell/RecentFileList.h"
#include "widgets/Prompter.h"

#include <QAction>
#include <QStatusBar>

namespace ardenvo {

namespace {

HouseFolders houseFolders() {
    return {AppPaths::imagesDirectory(), AppPaths::documentsDirectory()};
}

} // namespace

void CMainFrame::createArchiveActions() {
    QAction* a =
        addAction("fileEarlierVersions", tr("Earlier &versions..."),
                  tr("See the versions kept of the house at its saves, what changed since, "
                     "and open one"));
    connect(a, &QAction::triggered, this, &CMainFrame::showEarlierVersions);
    a = addAction("fileExportArchive", tr("Export with &pictures..."),
                  tr("Write the house with its pictures and documents into one ZIP archive"));
    connect(a, &QAction::triggered, this, &CMainFrame::exportArchive);
    a = addAction("fileImportArchive", tr("Import a&rchive..."),
                  tr("Open a house from a ZIP archive, its pictures and documents put in their "
                     "folders"));
    connect(a, &QAction::triggered, this, &CMainFrame::importArchive);
    // Saving never fails for want of a version; the status bar says it once.
    connect(&m_controller, &DocumentController::versionNotKept, this,
            [this](const QString& reason) { statusBar()->showMessage(reason); });
}

void CMainFrame::showEarlierVersions() {
    if (m_controller.pathName().isEmpty()) {
        m_prompter.message(this,
                           {tr("The house has not been saved yet, so it has no earlier versions."),
                            Prompter::Icon::Information});
        return;
    }
    VersionsDialog dialog(m_controller.document(), m_controller.versionsFolder(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().empty())
        return;
    // Shown as the house, unsaved, under its own path: a save makes it the house again and
    // keeps the one it replaces.
    m_controller.openRecovered(dialog.chosen(), m_controller.pathName());
}

void CMainFrame::exportArchive() {
    exportWithPictures(this, m_controller.document(), m_controller.pathName(), houseFolders(),
                       m_prompter);
}

void CMainFrame::importArchive() {
    if (m_controller.isBusy() || !m_controller.saveModified())
        return;
    ImportedHouse imported;
    const QString start =
        dialogStartFolder(m_controller.pathName(), FileDialogKind::Open, &m_recent.settingsFile());
    if (!ardenvo::importArchive(this, houseFolders(), start, m_prompter, imported))
        return;
    if (m_controller.openRecovered(imported.house, imported.path))
        m_controller.save();
}

} // namespace ardenvo
