#pragma once

#include <QWidget>

#include <vector>

class QCheckBox;
class QTreeWidget;

namespace ardenvo {

class CommandGate;
class Prompter;
class ReminderSession;
class Settings;

// The page "Options": start at log-on, the tip option, and the registered projects, which the
// user enables, disables or unregisters.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    enum Column { CheckColumn = 0, NameColumn = 1, PathColumn = 2 };

    OptionsPage(ReminderSession& session, Prompter& prompter, Settings& settings, CommandGate& gate,
                QWidget* parent = nullptr);

    // One row per registered project, ticked when enabled.
    void fill();
    // Sets both option boxes from the stored settings.
    void readOptions();

    QTreeWidget* projectList() const { return m_projects; }
    std::vector<int> selectedRows() const;

public slots:
    void enableSelected();
    void disableSelected();
    void deleteSelected();

signals:
    // The loaded projects changed; the reminder list must be refilled.
    void projectsChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setSelectedEnabled(bool enabled);
    void runOnStartupClicked(bool on);

    ReminderSession& m_session;
    Prompter& m_prompter;
    Settings& m_settings;
    CommandGate& m_gate;
    QCheckBox* m_runOnStartup;
    QCheckBox* m_showTip;
    QTreeWidget* m_projects;
};

inline constexpr const char* kDeleteLinksQuestion = QT_TRANSLATE_NOOP(
    "ardenvo::OptionsPage", "Selected link(s) will be deleted. Are you sure you wish to continue?");

} // namespace ardenvo
