#include "search/dialog/SearchPrompts.h"

#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

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
    const auto manual = AppPaths::findResource("help/index.html");
    if (!manual) {
        message(parent, QStringLiteral("The manual is not installed."), Icon::Stop);
        return;
    }
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(*manual));
    url.setFragment(QStringLiteral("search"));
    if (!QDesktopServices::openUrl(url))
        message(parent, QStringLiteral("Could not open the manual \"%1\".").arg(url.toLocalFile()),
                Icon::Stop);
}

} // namespace ardenvo
