#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace ardenvo {

// The print and page-setup dialogs and the manual, which the search and inventory dialogs open
// outside their own windows; messages and file names go through the Prompter. Tests answer these
// without a modal dialog blocking the run.
class PrintSeam {
public:
    virtual ~PrintSeam() = default;
    // True when the user chose to print; the printer then holds the choices.
    virtual bool askPrint(QWidget* parent, QPrinter& printer) = 0;
    virtual void askPageSetup(QWidget* parent, QPrinter& printer) = 0;
    // Shows the manual at the topic; false when it is missing.
    virtual bool openManual(QWidget* parent, const QString& topic) = 0;
};

// The real ones: QPrintDialog, QPageSetupDialog and the shipped manual.
class QtPrintSeam : public PrintSeam {
public:
    bool askPrint(QWidget* parent, QPrinter& printer) override;
    void askPageSetup(QWidget* parent, QPrinter& printer) override;
    bool openManual(QWidget* parent, const QString& topic) override;
};

} // namespace ardenvo
