#include "labels/dialog/LabelsDialog.h"
#include "widgets/DialogSupport.h"

#include "labels/core/LabelCodes.h"
#include "labels/dialog/LabelTree.h"
#include "model/CBrenvikaDoc.h"
#include "platform/DialogFolders.h"
#include "platform/SettingsFile.h"
#include "search/dialog/PrintSeam.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ardenvo {
namespace {

constexpr int kPreviewWidth = 320;
constexpr int kPreviewDelayMs = 250;
const char* const kSettingsKey = "Software\\Ardenvo\\Labels";
const char* const kLayoutValue = "Layout";
const char* const kCustomValue = "Custom";

QPushButton* addButton(QBoxLayout* layout, const QString& text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Why the sheet or the start cannot be used, in the user's language; empty when they can.
QString sheetProblemText(const LabelSheet& sheet, int start) {
    Phrase problem = sheetProblemPhrase(sheet);
    if (!*problem.text)
        problem = startProblemPhrase(sheet, start);
    return QString::fromStdString(
        phraseText(problem, [](const char* context, const char* text, int count) {
            return QCoreApplication::translate(context, text, nullptr, count).toStdString();
        }));
}

LabelSheet defaultCustomSheet() {
    LabelSheet sheet = builtInSheets().front();
    sheet.name = kCustomSheetName;
    return sheet;
}

} // namespace

bool LabelsDialog::refuseEmptyHouse(QWidget* parent, const CBrenvikaDoc& doc, Prompter& prompter) {
    for (const auto& section : doc.sections())
        if (!section->blocks().empty())
            return false;
    prompter.message(parent, {tr("This house has no rooms or halls, so there is "
                                 "nothing to put on a label."),
                              Prompter::Icon::Warning});
    return true;
}

bool LabelsDialog::run(QWidget* parent, CBrenvikaDoc& doc, const CHouseObject* select,
                       Prompter& prompter) {
    if (refuseEmptyHouse(parent, doc, prompter))
        return false;
    QtPrintSeam print;
    LabelsDialog dialog(doc, select, prompter, print, &SettingsFile::user(), parent);
    dialog.exec();
    return dialog.codesStored();
}

LabelsDialog::LabelsDialog(CBrenvikaDoc& doc, const CHouseObject* select, Prompter& prompter,
                           PrintSeam& printing, SettingsFile* settings, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompter(prompter), m_print(printing), m_settings(settings),
      m_printer(QPrinter::HighResolution) {
    setWindowTitle(tr("Print labels"));
    setObjectName(QStringLiteral("LabelsDialog"));

    auto* whichBox = new QGroupBox(tr("Labels for"));
    m_tree = new LabelTree(doc);
    m_tree->setObjectName(QStringLiteral("labelTree"));
    m_tree->setToolTip(tr("Every ticked room and object gets a label."));
    m_tree->setAccessibleName(tr("Labels for"));
    auto* quick = new QHBoxLayout;
    QPushButton* containers =
        addButton(quick, tr("Every object that &holds others"), "containersButton");
    QPushButton* rooms = addButton(quick, tr("The &rooms"), "roomsButton");
    auto* whichLayout = new QVBoxLayout(whichBox);
    whichLayout->addWidget(m_tree, 1);
    whichLayout->addLayout(quick);

    auto* sheetBox = new QGroupBox(tr("Sheet"));
    auto* sheetLayout = new QGridLayout(sheetBox);
    m_sheets = new QComboBox;
    m_sheets->setObjectName(QStringLiteral("sheetCombo"));
    for (const LabelSheet& s : builtInSheets())
        m_sheets->addItem(QCoreApplication::translate("ardenvo::LabelSheet", s.description.c_str()),
                          fromUtf8(s.name));
    m_sheets->addItem(tr("Custom sheet"), fromUtf8(std::string(kCustomSheetName)));
    auto* sheetLabel = new QLabel(tr("&Layout:"));
    sheetLabel->setBuddy(m_sheets);
    sheetLayout->addWidget(sheetLabel, 0, 0);
    sheetLayout->addWidget(m_sheets, 0, 1, 1, 3);
    const char* const rowsText[] = {
        QT_TR_NOOP("Pa&ge (mm):"), QT_TR_NOOP("Labels &across, down:"), QT_TR_NOOP("La&bel (mm):"),
        QT_TR_NOOP("&Margins left, top (mm):"), QT_TR_NOOP("Pi&tch across, down (mm):")};
    // Each row's two boxes, as a screen reader names them.
    const char* const sizeNames[] = {QT_TR_NOOP("Page width"),    QT_TR_NOOP("Page height"),
                                     QT_TR_NOOP("Labels across"), QT_TR_NOOP("Labels down"),
                                     QT_TR_NOOP("Label width"),   QT_TR_NOOP("Label height"),
                                     QT_TR_NOOP("Left margin"),   QT_TR_NOOP("Top margin"),
                                     QT_TR_NOOP("Pitch across"),  QT_TR_NOOP("Pitch down")};
    for (int i = 0; i < 10; ++i) {
        auto* spin = new QDoubleSpinBox;
        spin->setObjectName(QStringLiteral("size%1").arg(i));
        const bool count = i == 2 || i == 3;
        spin->setDecimals(count ? 0 : 2);
        spin->setRange(0, count ? 100 : 2000);
        //: the unit after a length
        spin->setSuffix(count ? QString() : tr(" mm"));
        m_sizes[static_cast<std::size_t>(i)] = spin;
        spin->setAccessibleName(tr(sizeNames[i]));
        if (i % 2 == 0) {
            auto* rowLabel = new QLabel(tr(rowsText[i / 2]));
            rowLabel->setBuddy(spin);
            sheetLayout->addWidget(rowLabel, 1 + i / 2, 0);
        }
        sheetLayout->addWidget(spin, 1 + i / 2, 1 + i % 2);
    }
    m_start = new QSpinBox;
    m_start->setObjectName(QStringLiteral("startSpin"));
    m_start->setRange(1, 10000);
    auto* startLabel = new QLabel(tr("&Start at label:"));
    startLabel->setBuddy(m_start);
    sheetLayout->addWidget(startLabel, 6, 0);
    sheetLayout->addWidget(m_start, 6, 1);
    //: "Label / Code" are the category and attribute the house keeps the code under: keep them
    m_codes = new QCheckBox(tr("Label &codes (\"AV-0012\", kept as Label / Code)"));
    m_codes->setObjectName(QStringLiteral("codesCheck"));
    m_codes->setToolTip(tr("Each object's label carries a short code, stored on the "
                           "object so that \"Ask the tobrin\" finds it."));
    sheetLayout->addWidget(m_codes, 7, 0, 1, 4);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("problemLabel"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    sheetLayout->addWidget(m_problem, 8, 0, 1, 4);

    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_preview->setMinimumWidth(kPreviewWidth + 4);
    m_preview->setToolTip(tr("The first sheet"));

    auto* right = new QVBoxLayout;
    right->addWidget(sheetBox);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(whichBox, 1);
    top->addLayout(right);
    top->addWidget(m_preview);

    auto* buttons = new QHBoxLayout;
    QPushButton* printButton = addButton(buttons, tr("&Print"), "printButton");
    QPushButton* pdf = addButton(buttons, tr("Save as P&DF..."), "pdfButton");
    buttons->addStretch();
    QPushButton* close = addButton(buttons, tr("Close"), "closeButton");

    auto* layout = new QVBoxLayout(scrollableBody(this));
    // The body scrolls only on a small screen; its controls take the focus, not it.
    if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("body")))
        scroll->setFocusPolicy(Qt::NoFocus);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(fittedToScreen(this, sizeHint().expandedTo({1120, 620})));

    connect(containers, &QPushButton::clicked, this, &LabelsDialog::chooseContainers);
    connect(rooms, &QPushButton::clicked, this, &LabelsDialog::chooseRooms);
    connect(printButton, &QPushButton::clicked, this, &LabelsDialog::print);
    connect(pdf, &QPushButton::clicked, this, &LabelsDialog::saveAsPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_previewTimer.setSingleShot(true);
    m_previewTimer.setInterval(kPreviewDelayMs);
    connect(&m_previewTimer, &QTimer::timeout, this, &LabelsDialog::updatePreview);
    const auto later = [this] {
        if (!m_showing)
            m_previewTimer.start();
    };
    connect(m_tree, &LabelTree::choiceChanged, this, later);
    connect(m_sheets, &QComboBox::currentIndexChanged, this, [this, later] {
        sheetChosen();
        later();
    });
    for (QDoubleSpinBox* spin : m_sizes)
        connect(spin, &QDoubleSpinBox::valueChanged, this, later);
    connect(m_start, &QSpinBox::valueChanged, this, later);
    connect(m_codes, &QCheckBox::toggled, this, later);

    // The sheet chosen last time, the custom one as it was left.
    int index = 0;
    if (m_settings)
        if (const auto last = m_settings->readString(kSettingsKey, kLayoutValue)) {
            const int found = m_sheets->findData(fromUtf8(*last));
            index = found >= 0 ? found : 0;
        }
    m_sheets->setCurrentIndex(index);
    sheetChosen();

    if (!(select && m_tree->chooseOnly(select)))
        chooseContainers();
    updatePreview();
}

LabelsDialog::~LabelsDialog() = default;

void LabelsDialog::chooseContainers() {
    if (containerSubjects(m_doc).empty()) {
        chooseRooms();
        return;
    }
    m_tree->choose([](const LabelSubject& subject) {
        return !subject.isRoom() && holdsOthers(*subject.object);
    });
}

void LabelsDialog::chooseRooms() {
    m_tree->choose([](const LabelSubject& subject) { return subject.isRoom(); });
}

void LabelsDialog::showSheet(const LabelSheet& s) {
    m_showing = true;
    const double values[] = {s.pageWidth,       s.pageHeight,   double(s.columns), double(s.rows),
                             s.labelWidth,      s.labelHeight,  s.leftMargin,      s.topMargin,
                             s.horizontalPitch, s.verticalPitch};
    for (std::size_t i = 0; i < m_sizes.size(); ++i)
        m_sizes[i]->setValue(values[i]);
    m_showing = false;
}

void LabelsDialog::sheetChosen() {
    const std::string name = m_sheets->currentData().toString().toStdString();
    const bool custom = name == kCustomSheetName;
    for (QDoubleSpinBox* spin : m_sizes)
        spin->setEnabled(custom);
    if (custom) {
        std::optional<LabelSheet> kept;
        if (m_settings)
            if (const auto text = m_settings->readString(kSettingsKey, kCustomValue))
                kept = sheetFromText(*text);
        showSheet(kept.value_or(defaultCustomSheet()));
    } else if (const LabelSheet* s = findSheet(name)) {
        showSheet(*s);
    }
}

LabelSheet LabelsDialog::sheet() const {
    const std::string name = m_sheets->currentData().toString().toStdString();
    if (const LabelSheet* s = findSheet(name))
        return *s;
    LabelSheet s;
    s.name = kCustomSheetName;
    const auto v = [this](std::size_t i) {
        return m_sizes[i]->value();
    };
    s.pageWidth = v(0);
    s.pageHeight = v(1);
    s.columns = static_cast<int>(v(2));
    s.rows = static_cast<int>(v(3));
    s.labelWidth = v(4);
    s.labelHeight = v(5);
    s.leftMargin = v(6);
    s.topMargin = v(7);
    s.horizontalPitch = v(8);
    s.verticalPitch = v(9);
    return s;
}

LabelJob LabelsDialog::job() const {
    return makeLabelJob(m_doc, m_tree->chosen(), sheet(), m_start->value(), m_codes->isChecked());
}

QImage LabelsDialog::preview() const {
    return m_preview->pixmap().toImage();
}

void LabelsDialog::updatePreview() {
    m_previewTimer.stop();
    const LabelSheet s = sheet();
    const QString problem = sheetProblemText(s, m_start->value());
    m_problem->setText(problem);
    if (!problem.isEmpty()) {
        m_preview->setText(tr("No preview: the sheet cannot be used."));
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(previewFirstSheet(job(), kPreviewWidth)));
}

void LabelsDialog::stop(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Stop});
}

std::optional<LabelJob> LabelsDialog::checkedJob() {
    const LabelSheet s = sheet();
    const QString problem = sheetProblemText(s, m_start->value());
    if (!problem.isEmpty()) {
        stop(problem);
        return std::nullopt;
    }
    if (!m_tree->anyChosen()) {
        m_prompter.message(this, {tr("No labels are chosen: tick the rooms and "
                                     "objects that should get one."),
                                  Prompter::Icon::Warning});
        return std::nullopt;
    }
    if (m_settings) {
        m_settings->writeString(kSettingsKey, kLayoutValue, s.name);
        if (s.name == kCustomSheetName)
            m_settings->writeString(kSettingsKey, kCustomValue, sheetToText(s));
    }
    return job();
}

void LabelsDialog::storeCodes(const LabelJob& job) {
    if (!m_codes->isChecked())
        return;
    if (storeLabelCodes(m_tree->chosen(), jobCodes(job)) > 0) {
        m_doc.setModified(true);
        m_codesStored = true;
    }
}

bool LabelsDialog::underProgress(const QString& label,
                                 const std::function<bool(const LabelProgress&)>& step) {
    return runUnderProgress(this, label, QStringLiteral("labelsProgress"), step);
}

void LabelsDialog::saveAsPdf() {
    const std::optional<LabelJob> labels = checkedJob();
    if (!labels)
        return;
    const QString house = QFile::decodeName(QByteArray::fromStdString(m_doc.pathName()));
    const QString folder = dialogStartFolder(house, FileDialogKind::Pdf, m_settings);
    //: a file name: %1 is the house's title
    const QString suggested = tr("%1 labels.pdf").arg(fromUtf8(labels->title));
    QString path =
        m_prompter.askSaveFileName(this, {tr("Save as PDF"), QDir(folder).filePath(suggested),
                                          tr("PDF files (*.pdf)"), QString()});
    if (path.isEmpty())
        return;
    rememberDialogFolder(FileDialogKind::Pdf, path, m_settings);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    underProgress(tr("Writing the labels..."), [&](const LabelProgress& progress) {
        return writeLabelsPdf(*labels, path, error, progress);
    });
    if (!error.isEmpty()) {
        stop(tr("The labels could not be written to \"%1\": %2").arg(path, error));
        return;
    }
    storeCodes(*labels);
}

void LabelsDialog::print() {
    const std::optional<LabelJob> labels = checkedJob();
    if (!labels)
        return;
    m_printer.setFullPage(true);
    m_printer.setPageLayout(sheetPageLayout(labels->sheet));
    if (!m_print.askPrint(this, m_printer))
        return;
    // The sheet's own page, whatever the print dialog left: the labels are placed on it.
    m_printer.setFullPage(true);
    m_printer.setPageLayout(sheetPageLayout(labels->sheet));
    const bool printed = underProgress(tr("Printing..."), [&](const LabelProgress& progress) {
        return paintLabels(*labels, m_printer, progress);
    });
    if (printed)
        storeCodes(*labels);
}

} // namespace ardenvo
