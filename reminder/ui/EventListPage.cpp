#include "reminder/ui/EventListPage.h"

#include "model/ReminderCalendar.h"
#include "platform/ProjectKey.h"
#include "platform/help/HelpWindow.h"
#include "platform/posix/SafeFile.h"
#include "reminder/core/ReminderSession.h"
#include "reminder/ui/CommandGate.h"
#include "reminder/ui/EventListModel.h"
#include "reminder/ui/EventSettingsDialog.h"
#include "widgets/Prompter.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace ardenvo {

EventListPage::EventListPage(ReminderSession& session, Prompter& prompter, CommandGate& gate,
                             QWidget* parent)
    : QWidget(parent), m_session(session), m_prompter(prompter), m_gate(gate),
      m_model(new EventListModel(session, this)), m_list(new QTreeView(this)),
      m_editor(&EventSettingsDialog::run) {
    m_list->setObjectName("eventList");
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemsExpandable(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->header()->setSectionsClickable(false);
    // Wide enough for a whole date and time in the font in use.
    m_list->setColumnWidth(
        EventListModel::DateColumn,
        std::max(100,
                 m_list->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00")) + 24));
    m_list->setColumnWidth(EventListModel::ObjectColumn, 100);
    m_list->setColumnWidth(EventListModel::TextColumn, 280);
    // Object names longer than the column ("Smoke detector") widen it, up to where the notes
    // would lose their room.
    const auto fitObjects = [this] {
        const int column = EventListModel::ObjectColumn;
        m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(column, std::clamp(m_list->columnWidth(column), 100, 250));
    };
    connect(m_model, &QAbstractItemModel::modelReset, this, fitObjects);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, fitObjects);
    connect(m_model, &QAbstractItemModel::dataChanged, this, fitObjects);
    m_list->setAccessibleName(tr("Reminders"));
    auto* shortcut =
        new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, this, &EventListPage::deleteEvent);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex index = m_list->indexAt(position);
        if (index.isValid())
            showContextMenu(index.row(), m_list->viewport()->mapToGlobal(position));
    });
    // From the keyboard (the Menu key, Shift+F10) the menu opens at the chosen row.
    m_list->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const QString& text, const char* name,
                               void (EventListPage::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    addButton(tr("&New"), "newButton", &EventListPage::newEvent);
    addButton(tr("&Edit"), "editButton", &EventListPage::editEvent);
    //: Moves a repeating reminder to its next date; a one-time reminder is deleted.
    addButton(tr("Re&set"), "resetButton", &EventListPage::resetEvent);
    addButton(tr("&Delete"), "deleteButton", &EventListPage::deleteEvent);
    buttons->addStretch(1);
    addButton(tr("Export to &calendar..."), "exportButton", &EventListPage::exportToCalendar);
    addButton(tr("&Help"), "helpButton", &EventListPage::openHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

void EventListPage::fill() {
    m_model->refresh();
}

void EventListPage::selectRow(int row) {
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    m_list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    m_list->scrollTo(index);
}

int EventListPage::selectedRow() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

bool EventListPage::confirmOpenProject(int row, const char* question) {
    if (!m_session.isRowOpenInMainProgram(row))
        return true;
    return confirm(question);
}

// Every question of the page is titled "Warning" and keeps No as default: each one guards a
// change that cannot be taken back.
bool EventListPage::confirm(const char* question) {
    return askBeforeLoss(m_prompter, this, tr(question));
}

void EventListPage::finishCommand(std::uint64_t generationBefore) {
    fill();
    if (m_session.generation() != generationBefore)
        emit projectsReloaded();
}

void EventListPage::newEvent() {
    CommandGate::Hold hold(m_gate);
    if (!m_session.canAddEvent())
        return;
    CReminder values;
    if (!m_editor(this, nullptr, values))
        return;
    const auto generation = m_session.generation();
    m_session.newEvent(values);
    finishCommand(generation);
}

void EventListPage::editEvent() {
    const int row = selectedRow();
    if (row < 0)
        return;
    CommandGate::Hold hold(m_gate);
    if (!confirmOpenProject(row, kOpenProjectQuestion))
        return;
    const EventRow* entry = m_session.events().rowAt(row);
    if (!entry)
        return;
    CReminder values;
    if (!m_editor(this, entry->reminder, values))
        return;
    const auto generation = m_session.generation();
    m_session.editEvent(row, values);
    finishCommand(generation);
}

void EventListPage::resetEvent() {
    const int row = selectedRow();
    if (row < 0)
        return;
    CommandGate::Hold hold(m_gate);
    if (!confirmOpenProject(row, kOpenProjectQuestion))
        return;
    const auto generation = m_session.generation();
    m_session.resetEvent(row);
    finishCommand(generation);
}

void EventListPage::deleteEvent() {
    const int row = selectedRow();
    if (row < 0)
        return;
    CommandGate::Hold hold(m_gate);
    if (!confirm(kDeleteEventQuestion))
        return;
    if (!confirmOpenProject(row, kOpenProjectDeleteQuestion))
        return;
    const auto generation = m_session.generation();
    m_session.deleteEvent(row);
    finishCommand(generation);
}

namespace {

// The Menu key, and Shift+F10 as other desktops offer it.
bool asksForMenu(const QEvent* event) {
    if (event->type() == QEvent::ContextMenu)
        return static_cast<const QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier) ||
           (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

} // namespace

bool EventListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_list || !asksForMenu(event))
        return QWidget::eventFilter(watched, event);
    const int row = selectedRow();
    const QModelIndex index = row >= 0 ? m_model->index(row, 0) : m_list->currentIndex();
    if (index.isValid()) {
        m_list->scrollTo(index);
        showContextMenu(index.row(),
                        m_list->viewport()->mapToGlobal(m_list->visualRect(index).center()));
    }
    return true;
}

QString EventListPage::snoozeMenuText(SnoozeChoice choice) {
    switch (choice) {
    case SnoozeChoice::TenMinutes:
        return tr("in &10 minutes");
    case SnoozeChoice::OneHour:
        return tr("in 1 &hour");
    case SnoozeChoice::Tomorrow:
        break;
    }
    return tr("&tomorrow at this time");
}

void EventListPage::showContextMenu(int row, const QPoint& globalPosition) {
    // The row stays the chosen one while the menu is open: no reload in between.
    CommandGate::Hold hold(m_gate);
    selectRow(row);
    QMenu menu(this);
    menu.setObjectName("eventMenu");
    QMenu* later = menu.addMenu(tr("Remind me &later"));
    for (const SnoozeChoice choice : kSnoozeChoices)
        later->addAction(snoozeMenuText(choice), this,
                         [this, row, choice] { holdEvent(row, choice, m_clock()); });
    menu.exec(globalPosition);
}

void EventListPage::holdEvent(int row, SnoozeChoice choice, std::int64_t now) {
    if (!m_session.events().rowAt(row))
        return;
    m_session.holdEvent(row, snoozeEnd(choice, now));
    refreshTexts();
}

void EventListPage::refreshTexts() {
    m_model->refreshTexts();
}

void EventListPage::exportToCalendar() {
    CommandGate::Hold hold(m_gate);
    const QString path = m_prompter.askSaveFileName(this, {tr("Export to calendar"),
                                                           QStringLiteral("reminders.ics"),
                                                           tr("Calendar files (*.ics)"),
                                                           {}});
    if (!path.isEmpty())
        exportCalendar(path, m_clock());
}

bool EventListPage::exportCalendar(const QString& path, std::int64_t now) {
    std::vector<CalendarHouse> houses;
    for (const auto& project : m_session.loadedProjects())
        houses.push_back({projectKey(project->path()), &project->doc()});
    std::string error;
    if (replaceFileSafely(path.toStdString(), writeReminderCalendar(houses, now), false, &error))
        return true;
    m_prompter.message(this, {tr("The calendar file %1 could not be written.\n%2")
                                  .arg(path, QString::fromLocal8Bit(error)),
                              Prompter::Icon::Stop, Prompter::Title::Error});
    return false;
}

void EventListPage::openHelp() {
    if (showManual(QStringLiteral("reminder")) == ManualShown::Missing)
        m_prompter.message(this,
                           {manualMissingText(), Prompter::Icon::Stop, Prompter::Title::Error});
}

} // namespace ardenvo
