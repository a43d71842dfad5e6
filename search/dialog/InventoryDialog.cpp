#include "search/dialog/InventoryDialog.h"

#include "model/CBrenvikaDoc.h"
#include "platform/AppPaths.h"
#include "search/dialog/PrintSeam.h"
#include "search/dialog/ScopeTree.h"
#include "search/inventory/DocumentThumbnails.h"
#include "search/inventory/InventoryDocument.h"
#include "search/inventory/InventoryHtml.h"
#include "widgets/DialogSupport.h"
#include "widgets/QtPrompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <ctime>

namespace ardenvo {
namespace {

constexpr int kPreviewWidth = 300;
constexpr int kPreviewDelayMs = 300;

QPushButton* addButton(QBoxLayout* layout, const QString& text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QCheckBox* addCheck(QBoxLayout* layout, const QString& text, const char* name) {
    auto* check = new QCheckBox(text);
    check->setObjectName(QString::fromLatin1(name));
    check->setChecked(true);
    layout->addWidget(check);
    return check;
}

QString tooLargeText() {
    return QCoreApplication::translate(kDocumentTooLargeContext, kDocumentTooLarge);
}

std::int64_t now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace

void InventoryDialog::run(QWidget* parent, const CBrenvikaDoc& doc, Prompter& prompter) {
    QtPrintSeam print;
    InventoryDialog dialog(doc, AppPaths::imagesDirectory(), prompter, print, parent);
    dialog.setDocumentsFolder(AppPaths::documentsDirectory());
    dialog.exec();
}

InventoryDialog::InventoryDialog(const CBrenvikaDoc& doc, std::string imagesFolder,
                                 Prompter& prompter, PrintSeam& printing, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_imagesFolder(std::move(imagesFolder)), m_prompter(prompter),
      m_print(printing), m_printer(QPrinter::HighResolution) {
    setWindowTitle(tr("Inventory report"));
    setObjectName(QStringLiteral("InventoryDialog"));

    auto* roomsBox = new QGroupBox(tr("Rooms to include"));
    m_tree = new ScopeTree(doc);
    m_tree->setObjectName(QStringLiteral("scopeTree"));
    m_tree->setToolTip(tr("The report lists only the selected rooms/halls."));
    m_tree->setAccessibleName(roomsBox->title());
    auto* roomsLayout = new QVBoxLayout(roomsBox);
    roomsLayout->addWidget(m_tree);

    auto* optionsLayout = new QVBoxLayout;
    m_photos = addCheck(optionsLayout, tr("Include &photos"), "photosCheck");
    // Beside the photos: the first page of each receipt kept with an object. Off by default, as
    // a report for a claim wants them and an everyday list does not.
    m_receipts = new QCheckBox(tr("Include &receipts"));
    m_receipts->setObjectName(QStringLiteral("receiptsCheck"));
    m_receipts->setToolTip(tr("The first page of each document named \"Receipt\""));
    auto* photoRow = new QHBoxLayout;
    optionsLayout->removeWidget(m_photos);
    photoRow->addWidget(m_photos);
    photoRow->addWidget(m_receipts);
    photoRow->addStretch();
    optionsLayout->insertLayout(0, photoRow);
    m_nested = addCheck(optionsLayout, tr("Include &nested objects"), "nestedCheck");
    auto* titleLabel = new QLabel(tr("Report &title:"));
    optionsLayout->addWidget(titleLabel);
    const QString fileName = QFileInfo(QString::fromStdString(doc.pathName())).fileName();
    m_title = new QLineEdit(fileName.isEmpty() ? QStringLiteral("Untitled") : fileName);
    m_title->setObjectName(QStringLiteral("titleEdit"));
    titleLabel->setBuddy(m_title);
    optionsLayout->addWidget(m_title);
    optionsLayout->addWidget(roomsBox, 1);

    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_preview->setMinimumWidth(kPreviewWidth + 4);
    m_preview->setToolTip(tr("The first page of the report"));
    m_preview->setAccessibleName(m_preview->toolTip());

    auto* top = new QHBoxLayout;
    top->addLayout(optionsLayout, 1);
    top->addWidget(m_preview);

    auto* buttons = new QHBoxLayout;
    QPushButton* pdf = addButton(buttons, tr("Save as P&DF..."), "pdfButton");
    QPushButton* print = addButton(buttons, tr("Pr&int"), "printButton");
    QPushButton* html = addButton(buttons, tr("Save as &HTML..."), "htmlButton");
    buttons->addStretch();
    QPushButton* close = addButton(buttons, tr("Close"), "closeButton");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(fittedToScreen(this, {760, 560}));

    connect(pdf, &QPushButton::clicked, this, &InventoryDialog::saveAsPdf);
    connect(print, &QPushButton::clicked, this, &InventoryDialog::print);
    connect(html, &QPushButton::clicked, this, &InventoryDialog::saveAsHtml);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // The preview follows every choice, once the tree has taken its ticks over.
    m_previewTimer.setSingleShot(true);
    m_previewTimer.setInterval(kPreviewDelayMs);
    connect(&m_previewTimer, &QTimer::timeout, this, &InventoryDialog::updatePreview);
    const auto later = [this] {
        m_previewTimer.start();
    };
    connect(m_tree, &QTreeWidget::itemChanged, this, later);
    connect(m_nested, &QCheckBox::toggled, this, later);
    connect(m_title, &QLineEdit::textChanged, this, later);
}

InventoryDialog::~InventoryDialog() = default;

InventoryOptions InventoryDialog::options(std::int64_t at) const {
    InventoryOptions o;
    o.title = m_title->text().toUtf8().toStdString();
    const QString fileName = QFileInfo(QString::fromStdString(m_doc.pathName())).fileName();
    o.houseName = (fileName.isEmpty() ? QStringLiteral("Untitled") : fileName).toStdString();
    o.scope = m_tree->scope();
    o.includePhotos = m_photos->isChecked();
    o.includeNested = m_nested->isChecked();
    o.includeReceipts = m_receipts->isChecked();
    o.now = at;
    return o;
}

QImage InventoryDialog::preview() const {
    return m_preview->pixmap().toImage();
}

void InventoryDialog::updatePreview() {
    // The first page is the title page: the totals, and no pictures to decode.
    const InventoryReport report = collectInventory(m_doc, options(now()));
    const auto document = makeInventoryDocument(report, ThumbnailSet());
    if (!document) {
        m_preview->setText(tooLargeText());
        return;
    }
    // At the screen's own pixels, so that a scaled screen shows the page sharp.
    const qreal ratio = devicePixelRatioF();
    QPixmap page = QPixmap::fromImage(previewFirstPage(*document, qRound(kPreviewWidth * ratio)));
    page.setDevicePixelRatio(ratio);
    m_preview->setPixmap(page);
}

bool InventoryDialog::underProgress(const QString& label,
                                    const std::function<bool(const InventoryProgress&)>& step) {
    return runUnderProgress(this, label, QStringLiteral("inventoryProgress"), step);
}

bool InventoryDialog::prepare(InventoryReport& report, ThumbnailSet& thumbnails) {
    report = collectInventory(m_doc, options(now()));
    if (report.options.includePhotos &&
        !underProgress(tr("Reading the pictures..."), [&](const InventoryProgress& progress) {
            return thumbnails.build(report, m_imagesFolder, progress);
        }))
        return false;
    if (!report.options.includeReceipts)
        return true;
    return underProgress(tr("Reading the receipts..."), [&](const InventoryProgress& progress) {
        return addReceiptThumbnails(thumbnails, report, m_documentsFolder, progress);
    });
}

QString InventoryDialog::suggestedName(const QString& extension) const {
    QString name = m_title->text().trimmed();
    if (name.endsWith(QStringLiteral(".av"), Qt::CaseInsensitive))
        name.chop(3);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("inventory");
    const QString folder = QFileInfo(QString::fromStdString(m_doc.pathName())).absolutePath();
    return (m_doc.pathName().empty() ? QString() : folder + QLatin1Char('/')) + name + extension;
}

bool InventoryDialog::prepareSave(const QString& title, const QString& extension,
                                  const QString& filter, QString& path, InventoryReport& report,
                                  ThumbnailSet& thumbnails) {
    path = m_prompter.askSaveFileName(this, {title, suggestedName(extension), filter, QString()});
    return !path.isEmpty() && prepare(report, thumbnails);
}

void InventoryDialog::stop(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Stop});
}

void InventoryDialog::reportWriteFailure(const QString& path, const QString& error) {
    stop(tr("The report could not be written to \"%1\": %2").arg(path, error));
}

void InventoryDialog::saveAsPdf() {
    QString path;
    InventoryReport report;
    ThumbnailSet thumbnails;
    if (!prepareSave(tr("Save as PDF"), QStringLiteral(".pdf"), tr("PDF files (*.pdf)"), path,
                     report, thumbnails))
        return;
    const auto document = makeInventoryDocument(report, thumbnails);
    if (!document) {
        reportWriteFailure(path, tooLargeText());
        return;
    }
    QString error;
    bool cancelled = false;
    const bool ok =
        underProgress(tr("Writing the pages..."), [&](const InventoryProgress& progress) {
            return writeInventoryPdf(*document, path, m_title->text(), error,
                                     [&](int done, int total) {
                                         cancelled = !progress(done, total);
                                         return !cancelled;
                                     });
        });
    if (!ok && !cancelled)
        reportWriteFailure(path, error);
}

void InventoryDialog::saveAsHtml() {
    QString path;
    InventoryReport report;
    ThumbnailSet thumbnails;
    if (!prepareSave(tr("Save as HTML"), QStringLiteral(".html"), tr("HTML files (*.html *.htm)"),
                     path, report, thumbnails))
        return;
    // As every report: replaced safely, and a link planted at the name is not written through.
    std::string error;
    if (!saveInventoryHtml(path.toStdString(), report, thumbnails, error))
        reportWriteFailure(path, QString::fromStdString(error));
}

void InventoryDialog::print() {
    if (!m_print.askPrint(this, m_printer))
        return;
    InventoryReport report;
    ThumbnailSet thumbnails;
    if (!prepare(report, thumbnails))
        return;
    const auto document = makeInventoryDocument(report, thumbnails);
    if (!document) {
        stop(tooLargeText());
        return;
    }
    underProgress(tr("Printing..."), [&](const InventoryProgress& progress) {
        return paintInventory(*document, m_printer, progress);
    });
}

} // namespace ardenvo
