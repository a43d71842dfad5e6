#include "search/dialog/InventoryPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace ardenvo {

void QtInventoryPrompts::message(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}

bool QtInventoryPrompts::askPrint(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString QtInventoryPrompts::askSaveFileName(QWidget* parent, const QString& caption,
                                            const QString& suggestion, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, suggestion, filter);
}

} // namespace ardenvo
