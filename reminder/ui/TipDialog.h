#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;

namespace ardenvo {

class Settings;

// "Tip": explains how to stop the reminding, with a box to switch the tip off for good.
class TipDialog : public QDialog {
    Q_OBJECT
public:
    // The option the box controls.
    static constexpr const char* kOptionName = "eventOccureTip";

    TipDialog(const QString& text, Settings& settings, QWidget* parent = nullptr);

    // Shows the tip modally.
    static void run(QWidget* parent, Settings& settings);
    // The tip shown when a reminder falls due, in the user's language.
    static QString eventOccurredText();

    void accept() override;

private:
    Settings& m_settings;
    QCheckBox* m_dontShow;
};

inline constexpr const char* kEventOccuredTipText = QT_TRANSLATE_NOOP(
    "ardenvo::TipDialog",
    "Your reminder has now occurred. To reset the reminder program to stop reminding you please "
    "either reset the event or delete it. Please note if this reminder was for a single date only "
    "resetting it will also delete it.");

} // namespace ardenvo
