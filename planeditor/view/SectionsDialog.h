#pragma once

#include "model/CBrenvikaDoc.h"
#include "widgets/Prompter.h"
#include "widgets/QtPrompter.h"

#include <QDialog>
#include <QIcon>

#include <functional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ardenvo {

// "Sections": lists the house's sections and adds, activates, renames (in place) and deletes
// them. The document changes at once; there is nothing to roll back.
class SectionsDialog : public QDialog {
    Q_OBJECT
public:
    SectionsDialog(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter = standardPrompter());

    // Runs modally and marks the document modified. True when the active section changed, so the
    // caller rebuilds the plan.
    static bool run(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter = standardPrompter());

    // Set when the active section changed while the dialog was open.
    bool activeSectionChanged() const { return m_changed; }

    // What "Help!" does; by default it opens the manual in the desktop's browser.
    void setHelpHandler(std::function<void(QWidget*)> handler) { m_help = std::move(handler); }

    QTreeWidget* sectionList() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* setActiveButton() const { return m_setActive; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* helpButton() const { return m_helpButton; }

private:
    void refreshList(int selectRow);
    void updateButtons();
    int selectedRow() const;
    void addSection();
    void setActive();
    void deleteSection();
    void rowDoubleClicked(QTreeWidgetItem* item);
    void rowRenamed(QTreeWidgetItem* item, int column);
    void showHelp();

    CBrenvikaDoc& m_doc;
    Prompter& m_prompter;
    std::function<void(QWidget*)> m_help;
    bool m_changed = false;
    bool m_filling = false; // the list is being refilled: its changes are not renames

    QIcon m_icon;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_setActive = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_helpButton = nullptr;
};

} // namespace ardenvo
