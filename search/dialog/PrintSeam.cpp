#include "search/dialog/PrintSeam.h"

#include "platform/help/HelpWindow.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace ardenvo {

bool QtPrintSeam::askPrint(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrintSeam::askPageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

bool QtPrintSeam::openManual(QWidget* parent, const QString& topic) {
    return showManual(topic, parent) != ManualShown::Missing;
}

} // namespace ardenvo
