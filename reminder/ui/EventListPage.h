#pragma once

#include <QWidget>

#include "reminder/core/Snooze.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>

class QPushButton;
class QTreeView;

namespace ardenvo {

class CReminder;
class CommandGate;
class EventListModel;
class Prompter;
class ReminderSession;

// The page "Reminder": every reminder of every loaded project, and the commands on them.
class EventListPage : public QWidget {
    Q_OBJECT
public:
    // Shows the settings dialog for `shown` (null for a new reminder); true and `result` on OK.
    using Editor = std::function<bool(QWidget* parent, const CReminder* shown, CReminder& result)>;

    EventListPage(ReminderSession& session, Prompter& prompter, CommandGate& gate,
                  QWidget* parent = nullptr);

    // Rebuilds the rows from the event table; the selection is lost.
    void fill();
    void selectRow(int row);
    int selectedRow() const; // -1 when none
    QTreeView* list() const { return m_list; }

    void setEditor(Editor editor) { m_editor = std::move(editor); }
    void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }

    // "Remind me later" for a row, from `now` (seconds since 1970).
    void holdEvent(int row, SnoozeChoice choice, std::int64_t now);
    // Writes every reminder of the loaded projects to `path` as a calendar file; false (the user
    // told) when it cannot be written.
    bool exportCalendar(const QString& path, std::int64_t now);
    // The rows' texts changed (a hold ended); selection and rows stay.
    void refreshTexts();

public slots:
    void newEvent();
    void editEvent();
    void resetEvent();
    void deleteEvent();
    void openHelp();
    void exportToCalendar();

signals:
    // The projects were reloaded by a command; the other page refills its list.
    void projectsReloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finishCommand(std::uint64_t generationBefore);
    // Asks before a project the main program has open is written; false when the user said No.
    bool confirmOpenProject(int row, const char* question);
    bool confirm(const char* question);
    void showContextMenu(int row, const QPoint& globalPosition);
    static QString snoozeMenuText(SnoozeChoice choice);

    ReminderSession& m_session;
    Prompter& m_prompter;
    CommandGate& m_gate;
    EventListModel* m_model;
    QTreeView* m_list;
    Editor m_editor;
    std::function<std::int64_t()> m_clock = [] {
        return QDateTime::currentSecsSinceEpoch();
    };
};

inline constexpr const char* kOpenProjectQuestion = QT_TRANSLATE_NOOP(
    "ardenvo::EventListPage",
    "The same project is opened in Ardenvo, it can cause lost of data. Are you sure to continue?");
inline constexpr const char* kOpenProjectDeleteQuestion =
    QT_TRANSLATE_NOOP("ardenvo::EventListPage",
                      "The same project is opened in Ardenvo, it can cause lost of data. Are you "
                      "sure you wish to continue?");
inline constexpr const char* kDeleteEventQuestion = QT_TRANSLATE_NOOP(
    "ardenvo::EventListPage", "Event will be deleted. Are you sure you wish to continue?");

} // namespace ardenvo
