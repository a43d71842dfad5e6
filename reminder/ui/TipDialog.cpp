#include "reminder/ui/TipDialog.h"

#include "platform/Settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ardenvo {

TipDialog::TipDialog(const QString& text, Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle(tr("Tip"));
    auto* message = new QTextEdit(this);
    message->setObjectName("tipText");
    message->setAccessibleName(tr("Tip"));
    message->setReadOnly(true);
    message->setPlainText(text);
    message->selectAll();
    message->setAlignment(Qt::AlignCenter);
    message->moveCursor(QTextCursor::Start);
    message->setFixedHeight(110);

    m_dontShow = new QCheckBox(tr("&Don't show this dialogue in the future"), this);
    m_dontShow->setObjectName("dontShowTip");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TipDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(m_dontShow);
    layout->addWidget(buttons);
    resize(380, sizeHint().height());
}

void TipDialog::run(QWidget* parent, Settings& settings) {
    TipDialog dialog(eventOccurredText(), settings, parent);
    dialog.exec();
}

QString TipDialog::eventOccurredText() {
    return tr(kEventOccuredTipText);
}

void TipDialog::accept() {
    if (m_dontShow->isChecked())
        m_settings.setEventOccureTip(false);
    QDialog::accept();
}

} // namespace ardenvo
