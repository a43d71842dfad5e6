#pragma once

#include <QDialog>

namespace ardenvo {

// "About Ardenvo Reminder": the program's icon, name and version.
class ReminderAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit ReminderAboutBox(QWidget* parent = nullptr);
    static void run(QWidget* parent);
};

} // namespace ardenvo
