#include "search/dialog/SearchPrompts.h"

#include "platform/help/HelpWindow.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace ardenvo {

void QtSearchPrompts::message(QWidget* parent, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::Warning,
                    QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtSearchPrompts::askPrint(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtSearchPrompts::askPageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

QString QtSearchPrompts::askPdfFileName(QWidget* parent, const QString& suggestion) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save as PDF"), suggestion,
                                        QStringLiteral("PDF files (*.pdf)"));
}

void QtSearchPrompts::openHelp(QWidget* parent) {
    if (showManual(QStringLiteral("search")) == ManualShown::Missing)
        message(parent, manualMissingText(), Icon::Stop);
}

} // namespace ardenvo
