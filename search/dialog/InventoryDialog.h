#pragma once

#include "search/inventory/InventoryReport.h"
#include "search/inventory/Thumbnails.h"
#include "widgets/QtPrompter.h"

#include <QDialog>
#include <QPrinter>
#include <QTimer>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTextDocument;

namespace ardenvo {

class CBrenvikaDoc;
class PrintSeam;
class ScopeTree;

// "Inventory report": the rooms to include, photos and nested objects on or off, the title, a
// preview of the first page, and the report saved as PDF or HTML or printed. The long work (the
// pictures, then the pages) runs under a progress dialog that can be cancelled.
class InventoryDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog modally over `parent` for the house. Messages go through `prompter`, the
    // program's standard one when none is given.
    static void run(QWidget* parent, const CBrenvikaDoc& doc,
                    Prompter& prompter = standardPrompter());

    // `imagesFolder` is where the pictures are; `prompter` and `printing` outlive the dialog.
    InventoryDialog(const CBrenvikaDoc& doc, std::string imagesFolder, Prompter& prompter,
                    PrintSeam& printing, QWidget* parent = nullptr);
    ~InventoryDialog() override;

    // Where the receipts are (empty: none is read, each shows as missing); run() gives the
    // program's Documents folder.
    void setDocumentsFolder(std::string folder) { m_documentsFolder = std::move(folder); }

    // The options as the controls hold them; `now` is the date on the title page.
    InventoryOptions options(std::int64_t now) const;
    // The preview as last drawn.
    QImage preview() const;

public slots:
    void saveAsPdf();
    void saveAsHtml();
    void print();
    void updatePreview();

private:
    // The report with its pictures, under the progress dialog; false when cancelled.
    // Asks where to save, then reads the report and its pictures; false when either is cancelled.
    bool prepareSave(const QString& title, const QString& extension, const QString& filter,
                     QString& path, InventoryReport& report, ThumbnailSet& thumbnails);
    void reportWriteFailure(const QString& path, const QString& error);
    void stop(const QString& text);
    bool prepare(InventoryReport& report, ThumbnailSet& thumbnails);
    // Runs `step` under the progress dialog with that label; false when cancelled.
    bool underProgress(const QString& label,
                       const std::function<bool(const InventoryProgress&)>& step);
    QString suggestedName(const QString& extension) const;

    const CBrenvikaDoc& m_doc;
    std::string m_imagesFolder;
    std::string m_documentsFolder;
    Prompter& m_prompter;
    PrintSeam& m_print;
    QPrinter m_printer;
    QTimer m_previewTimer;

    ScopeTree* m_tree = nullptr;
    QCheckBox* m_photos = nullptr;
    QCheckBox* m_receipts = nullptr;
    QCheckBox* m_nested = nullptr;
    QLineEdit* m_title = nullptr;
    QLabel* m_preview = nullptr;
};

} // namespace ardenvo
