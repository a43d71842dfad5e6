#include "reminder/ui/OptionsPage.h"

#include "platform/Autostart.h"
#include "platform/Settings.h"
#include "platform/TextCodec.h"
#include "reminder/core/ProjectName.h"
#include "reminder/core/ReminderSession.h"
#include "reminder/ui/CommandGate.h"
#include "widgets/Prompter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace ardenvo {

OptionsPage::OptionsPage(ReminderSession& session, Prompter& prompter, Settings& settings,
                         CommandGate& gate, QWidget* parent)
    : QWidget(parent), m_session(session), m_prompter(prompter), m_settings(settings),
      m_gate(gate) {
    auto* general = new QGroupBox(tr("General options"), this);
    m_runOnStartup = new QCheckBox(tr("R&un on computer startup"), general);
    m_runOnStartup->setObjectName("runOnStartupBox");
    m_showTip = new QCheckBox(tr("Show &tip dialogue"), general);
    m_showTip->setObjectName("showTipBox");
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(m_runOnStartup);
    generalLayout->addWidget(m_showTip);
    connect(m_runOnStartup, &QCheckBox::clicked, this, &OptionsPage::runOnStartupClicked);
    connect(m_showTip, &QCheckBox::clicked, this,
            [this](bool on) { m_settings.setEventOccureTip(on); });

    auto* projects = new QGroupBox(tr("Ardenvo projects"), this);
    m_projects = new QTreeWidget(projects);
    m_projects->setObjectName("projectList");
    m_projects->setAccessibleName(tr("Ardenvo projects"));
    m_projects->setColumnCount(3);
    m_projects->setHeaderLabels({QString(), tr("Project"), tr("Project file")});
    m_projects->setRootIsDecorated(false);
    m_projects->setUniformRowHeights(true);
    m_projects->setAllColumnsShowFocus(true);
    m_projects->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_projects->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_projects->header()->setSectionsClickable(false);
    m_projects->setColumnWidth(CheckColumn, 28);
    m_projects->setColumnWidth(NameColumn, 150);
    m_projects->setColumnWidth(PathColumn, 272);
    auto* shortcut =
        new QShortcut(QKeySequence::Delete, m_projects, nullptr, nullptr, Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, this, &OptionsPage::deleteSelected);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& text, const char* name, void (OptionsPage::*slot)()) {
        auto* button = new QPushButton(text, projects);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    addButton(tr("&Enable"), "enableButton", &OptionsPage::enableSelected);
    addButton(tr("D&isable"), "disableButton", &OptionsPage::disableSelected);
    //: Removes the selected projects from the list; the files stay.
    addButton(tr("&Delete"), "deleteProjectButton", &OptionsPage::deleteSelected);
    buttons->addStretch(1);
    auto* projectLayout = new QVBoxLayout(projects);
    projectLayout->addWidget(m_projects, 1);
    projectLayout->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(projects, 1);

    fill();
    readOptions();
}

void OptionsPage::fill() {
    m_projects->clear();
    for (const RegisteredProject& entry : m_session.registeredProjects()) {
        auto* item = new QTreeWidgetItem(m_projects);
        // The box shows the stored status; "Enable" and "Disable" change it.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(CheckColumn, entry.enabled() ? Qt::Checked : Qt::Unchecked);
        item->setTextAlignment(CheckColumn, Qt::AlignCenter);
        item->setText(NameColumn, displayText(projectNameOf(entry.path)));
        item->setText(PathColumn, displayText(entry.path));
        item->setToolTip(PathColumn, displayText(entry.path));
    }
}

void OptionsPage::readOptions() {
    m_runOnStartup->setChecked(Autostart::exists());
    m_showTip->setChecked(m_settings.eventOccureTip());
}

std::vector<int> OptionsPage::selectedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < m_projects->topLevelItemCount(); ++i)
        if (m_projects->topLevelItem(i)->isSelected())
            rows.push_back(i);
    return rows;
}

void OptionsPage::enableSelected() {
    setSelectedEnabled(true);
}

void OptionsPage::disableSelected() {
    setSelectedEnabled(false);
}

void OptionsPage::setSelectedEnabled(bool enabled) {
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    CommandGate::Hold hold(m_gate);
    std::vector<std::string> selectedPaths;
    for (const int row : rows)
        selectedPaths.push_back(m_session.registeredProjects()[static_cast<std::size_t>(row)].path);
    m_session.setProjectsEnabled(rows, enabled);
    // A project that failed to load has gone from the list; the others stay selected.
    fill();
    for (int i = 0; i < m_projects->topLevelItemCount(); ++i) {
        const auto& path = m_session.registeredProjects()[static_cast<std::size_t>(i)].path;
        if (std::find(selectedPaths.begin(), selectedPaths.end(), path) != selectedPaths.end())
            m_projects->topLevelItem(i)->setSelected(true);
    }
    emit projectsChanged();
}

void OptionsPage::deleteSelected() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    CommandGate::Hold hold(m_gate);
    if (!askBeforeLoss(m_prompter, this, tr(kDeleteLinksQuestion)))
        return;
    std::vector<std::string> paths;
    for (const int row : rows)
        paths.push_back(m_session.registeredProjects()[static_cast<std::size_t>(row)].path);
    m_session.deleteProjectEntries(paths);
    fill();
    emit projectsChanged();
}

void OptionsPage::runOnStartupClicked(bool on) {
    const bool done = on ? Autostart::write() : Autostart::remove();
    if (!done)
        m_prompter.message(this, {on ? tr("The start-up entry could not be written.")
                                     : tr("The start-up entry could not be removed."),
                                  Prompter::Icon::Stop, Prompter::Title::Error});
    m_runOnStartup->setChecked(Autostart::exists());
}

void OptionsPage::showEvent(QShowEvent* event) {
    readOptions();
    QWidget::showEvent(event);
}

void OptionsPage::hideEvent(QHideEvent* event) {
    readOptions();
    QWidget::hideEvent(event);
}

} // namespace ardenvo
