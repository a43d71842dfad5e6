#pragma once

// The print and page-setup dialogs and the manual answered without windows: printing goes to a
// PDF file when the test names one, else it is cancelled.
#include "search/dialog/PrintSeam.h"

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>

#include <optional>

namespace ardenvo::test {

class FakePrintSeam : public PrintSeam {
public:
    bool askPrint(QWidget*, QPrinter& printer) override {
        ++printAsked;
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
    void askPageSetup(QWidget*, QPrinter& printer) override {
        ++pageSetupAsked;
        if (pageLayout)
            printer.setPageLayout(*pageLayout);
    }
    bool openManual(QWidget*, const QString& topic) override {
        manualTopics << topic;
        return manualInstalled;
    }

    QString printTo;
    std::optional<QPageLayout> pageLayout; // what the user sets up, when set
    int printAsked = 0;
    int pageSetupAsked = 0;
    QStringList manualTopics;
    bool manualInstalled = true;
};

} // namespace ardenvo::test
