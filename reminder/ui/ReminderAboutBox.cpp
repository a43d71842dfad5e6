#include "reminder/ui/ReminderAboutBox.h"

#include "platform/ProgramVersion.h"
#include "reminder/ui/ReminderIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ardenvo {

ReminderAboutBox::ReminderAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Ardenvo Reminder"));
    auto* icon = new QLabel(this);
    icon->setPixmap(reminderNormalIcon().pixmap(48, 48));
    auto* version =
        new QLabel(tr("Ardenvo Reminder Version %1").arg(QLatin1String(kProgramVersion)), this);
    version->setObjectName("aboutVersion");
    auto* blurb = new QLabel(tr("Keeps an eye on the reminders of your Ardenvo houses."), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(blurb);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

void ReminderAboutBox::run(QWidget* parent) {
    ReminderAboutBox box(parent);
    box.exec();
}

} // namespace ardenvo
