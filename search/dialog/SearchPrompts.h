#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace ardenvo {

// Everything the search dialog asks of the user outside its own window: message boxes, the print
// and page-setup dialogs, the PDF file name and the manual. Tests answer these without blocking.
class SearchPrompts {
public:
    enum class Icon { Exclamation, Stop };

    virtual ~SearchPrompts() = default;
    virtual void message(QWidget* parent, const QString& text, Icon icon) = 0;
    // True when the user chose to print; the printer then holds the choices.
    virtual bool askPrint(QWidget* parent, QPrinter& printer) = 0;
    virtual void askPageSetup(QWidget* parent, QPrinter& printer) = 0;
    // Empty when the user cancelled.
    virtual QString askPdfFileName(QWidget* parent, const QString& suggestion) = 0;
    virtual void openHelp(QWidget* parent) = 0;
};

// The real ones: QMessageBox titled with the application's name, QPrintDialog, QPageSetupDialog,
// QFileDialog, and the shipped manual opened in the desktop's browser.
class QtSearchPrompts : public SearchPrompts {
public:
    void message(QWidget* parent, const QString& text, Icon icon) override;
    bool askPrint(QWidget* parent, QPrinter& printer) override;
    void askPageSetup(QWidget* parent, QPrinter& printer) override;
    QString askPdfFileName(QWidget* parent, const QString& suggestion) override;
    void openHelp(QWidget* parent) override;
};

} // namespace ardenvo
