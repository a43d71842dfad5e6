#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace ardenvo {

// What the inventory report dialog asks of the user outside its own window, so tests can answer.
class InventoryPrompts {
public:
    virtual ~InventoryPrompts() = default;
    // A stop message titled with the application's name.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // True when the user chose to print; the printer then holds the choices.
    virtual bool askPrint(QWidget* parent, QPrinter& printer) = 0;
    // The file to save to, empty when cancelled; `filter` as QFileDialog takes it.
    virtual QString askSaveFileName(QWidget* parent, const QString& caption,
                                    const QString& suggestion, const QString& filter) = 0;
};

// The real ones: QMessageBox, QPrintDialog and QFileDialog.
class QtInventoryPrompts : public InventoryPrompts {
public:
    void message(QWidget* parent, const QString& text) override;
    bool askPrint(QWidget* parent, QPrinter& printer) override;
    QString askSaveFileName(QWidget* parent, const QString& caption, const QString& suggestion,
                            const QString& filter) override;
};

} // namespace ardenvo
