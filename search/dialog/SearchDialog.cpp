#include "search/dialog/SearchDialog.h"

#include "model/CBrenvikaDoc.h"
#include "platform/AppPaths.h"
#include "platform/DialogFolders.h"
#include "platform/SafeDevice.h"
#include "platform/SettingsFile.h"
#include "platform/help/HelpWindow.h"
#include "search/dialog/PrintSeam.h"
#include "search/dialog/ReportPrinter.h"
#include "search/dialog/ReportView.h"
#include "search/dialog/ScopeTree.h"
#include "search/dialog/SearchPicture.h"
#include "search/engine/ReportWriter.h"
#include "widgets/DialogSupport.h"
#include "widgets/QtPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardenvo {
namespace {

// As a printer's high resolution.
constexpr int kPdfDpi = 1200;

std::string toBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

QPushButton* addButton(QBoxLayout* layout, const QString& text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

} // namespace

void SearchDialog::run(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter) {
    QtPrintSeam print;
    SearchDialog dialog(doc, QString::fromStdString(AppPaths::reportPath()), prompter, print,
                        parent);
    dialog.setFolderSettings(&SettingsFile::user());
    dialog.exec();
}

SearchDialog::SearchDialog(CBrenvikaDoc& doc, const QString& reportPath, Prompter& prompter,
                           PrintSeam& printing, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_reportPath(reportPath), m_prompter(prompter),
      m_print(printing) {
    setWindowTitle(tr("Search"));
    setObjectName(QStringLiteral("SearchDialog"));

    auto* criteriaBox = new QGroupBox(tr("Ask the tobrin to"));
    buildCriteria(criteriaBox);

    auto* scopeBox = new QGroupBox(tr("Where should the tobrin look"));
    m_tree = new ScopeTree(doc);
    m_tree->setObjectName(QStringLiteral("scopeTree"));
    m_tree->setToolTip(tr("The tobrin will look only in the selected rooms/halls."));
    m_tree->setAccessibleName(scopeBox->title());
    auto* scopeLayout = new QVBoxLayout(scopeBox);
    scopeLayout->addWidget(m_tree);

    auto* picture = new QLabel;
    picture->setPixmap(searchPicture());
    picture->setAlignment(Qt::AlignTop);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(criteriaBox, 3);
    top->addWidget(scopeBox, 2);

    m_report = new ReportView;
    m_report->setObjectName(QStringLiteral("reportBrowser"));
    m_report->setMinimumHeight(240);
    //: The area that shows the search's report
    m_report->setAccessibleName(tr("Report"));

    auto* buttons = new QHBoxLayout;
    QPushButton* ask = addButton(buttons, tr("&Ask the tobrin"), "askButton");
    ask->setDefault(true);
    ask->setAutoDefault(true);
    buttons->addStretch();
    QPushButton* setup = addButton(buttons, tr("Pa&geSetup"), "pageSetupButton");
    QPushButton* print = addButton(buttons, tr("&Print"), "printButton");
    QPushButton* pdf = addButton(buttons, tr("Save as P&DF..."), "pdfButton");
    QPushButton* help = addButton(buttons, tr("&Help!"), "helpButton");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_report, 1);
    layout->addLayout(buttons);
    resize(fittedToScreen(this, {860, 640}));

    connect(ask, &QPushButton::clicked, this, &SearchDialog::askTheTobrin);
    connect(setup, &QPushButton::clicked, this, &SearchDialog::pageSetup);
    connect(print, &QPushButton::clicked, this, &SearchDialog::print);
    connect(pdf, &QPushButton::clicked, this, &SearchDialog::saveAsPdf);
    connect(help, &QPushButton::clicked, this, [this] {
        if (!m_print.openManual(this, QStringLiteral("search")))
            stop(manualMissingText());
    });
}

SearchDialog::~SearchDialog() = default;

void SearchDialog::buildCriteria(QWidget* box) {
    auto* grid = new QGridLayout(box);
    const auto row = [&](int r, const QString& label, const char* name, QCheckBox*& check,
                         QLineEdit*& edit) {
        check = new QCheckBox(label);
        check->setObjectName(QString::fromLatin1(name) + QStringLiteral("Check"));
        edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(name) + QStringLiteral("Edit"));
        // The check box beside it says what the edit is for; a check box can be no buddy.
        edit->setAccessibleName(QString(label).remove(QLatin1Char('&')));
        grid->addWidget(check, r, 0);
        grid->addWidget(edit, r, 1, 1, 2);
        // A criterion is on exactly when its text is not empty, until the user says otherwise.
        connect(edit, &QLineEdit::textEdited, check,
                [check](const QString& text) { check->setChecked(!text.isEmpty()); });
    };
    row(0, tr("Search for &names that contain"), "names", m_namesCheck, m_namesEdit);
    row(1, tr("Search for n&otes that contain"), "notes", m_notesCheck, m_notesEdit);
    row(2, tr("Search for &field that contains"), "field", m_fieldCheck, m_fieldEdit);

    m_valueCheck = new QCheckBox(tr("and has a &value that"));
    m_valueCheck->setObjectName(QStringLiteral("valueCheck"));
    m_comparison = new QComboBox;
    m_comparison->setObjectName(QStringLiteral("comparisonCombo"));
    for (int i = 0; i < kComparisonCount; ++i)
        m_comparison->addItem(QCoreApplication::translate(kComparisonContext, comparisonText(i)));
    m_comparison->setAccessibleName(tr("Comparison"));
    m_valueEdit = new QLineEdit;
    m_valueEdit->setObjectName(QStringLiteral("valueEdit"));
    //: The value a custom field's value is compared with
    m_valueEdit->setAccessibleName(tr("Value"));
    grid->addWidget(m_valueCheck, 3, 0);
    grid->addWidget(m_comparison, 3, 1);
    grid->addWidget(m_valueEdit, 3, 2);
    connect(m_valueEdit, &QLineEdit::textEdited, m_valueCheck,
            [this](const QString& text) { m_valueCheck->setChecked(!text.isEmpty()); });
    connect(m_comparison, &QComboBox::activated, this, [this] {
        m_valueCheck->setChecked(true);
        updateValueEdit();
    });
    connect(m_comparison, &QComboBox::currentIndexChanged, this, [this] { updateValueEdit(); });

    m_titleEdit = new QLineEdit;
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    auto* titleLabel = new QLabel(tr("Report &title:"));
    titleLabel->setBuddy(m_titleEdit);
    grid->addWidget(titleLabel, 4, 0);
    grid->addWidget(m_titleEdit, 4, 1, 1, 2);
}

void SearchDialog::updateValueEdit() {
    // Only the comparisons with a value need the value text.
    m_valueEdit->setVisible(
        comparesWithValue(static_cast<Comparison>(m_comparison->currentIndex())));
}

const SearchScope& SearchDialog::scope() const {
    return m_tree->lastScope();
}

SearchCriteria SearchDialog::criteria() const {
    SearchCriteria c;
    c.byName = m_namesCheck->isChecked();
    c.nameText = toBytes(m_namesEdit->text());
    c.byNotes = m_notesCheck->isChecked();
    c.notesText = toBytes(m_notesEdit->text());
    c.byField = m_fieldCheck->isChecked();
    c.fieldText = toBytes(m_fieldEdit->text());
    c.byValue = m_valueCheck->isChecked();
    c.comparison = static_cast<Comparison>(std::max(0, m_comparison->currentIndex()));
    c.valueText = toBytes(m_valueEdit->text());
    c.title = toBytes(m_titleEdit->text());
    return c;
}

void SearchDialog::stop(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Stop});
}

void SearchDialog::askTheTobrin() {
    const SearchCriteria c = criteria();
    if (!c.hasCriterion()) {
        m_prompter.message(this, {tr("Check at least one check box"), Prompter::Icon::Warning});
        return;
    }
    // A tick made just now counts, without waiting for the tree's delay.
    ReportTable table = searchReport(m_doc, c, m_tree->scope());
    std::string error;
    if (!saveReport(m_reportPath.toStdString(), table, error)) {
        m_report->clearReport();
        stop(tr("The report could not be written to \"%1\": %2")
                 .arg(m_reportPath, QString::fromLocal8Bit(error.c_str())));
        return;
    }
    m_report->showReport(std::move(table));
}

void SearchDialog::pageSetup() {
    if (!m_report->hasReport()) {
        stop(tr("There's no page to configure"));
        return;
    }
    m_print.askPageSetup(this, m_printer);
}

void SearchDialog::print() {
    if (!m_report->hasReport()) {
        stop(tr("There's no page to print"));
        return;
    }
    if (m_print.askPrint(this, m_printer)) {
        // What is printed is the whole report whatever the view holds; the view is completed too,
        // so that it shows what went to the printer.
        m_report->finishLoading();
        printReport(m_report->table(), m_report->font(), m_printer);
    }
}

void SearchDialog::saveAsPdf() {
    if (!m_report->hasReport()) {
        stop(tr("There's no page to print"));
        return;
    }
    const QString house = QFile::decodeName(QByteArray::fromStdString(m_doc.pathName()));
    const QString folder = dialogStartFolder(house, FileDialogKind::Pdf, m_folderSettings);
    QString path = m_prompter.askSaveFileName(
        this, {tr("Save as PDF"), QDir(folder).filePath(QStringLiteral("report.pdf")),
               tr("PDF files (*.pdf)"), QString()});
    if (path.isEmpty())
        return;
    rememberDialogFolder(FileDialogKind::Pdf, path, m_folderSettings);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    // The page layout is the one the user set up for paper.
    m_report->finishLoading();
    const bool written = replaceFileThroughDevice(path, [this](QIODevice& device) {
        QPdfWriter pdf(&device);
        pdf.setResolution(kPdfDpi);
        pdf.setPageLayout(m_printer.pageLayout());
        return printReport(m_report->table(), m_report->font(), pdf);
    });
    if (!written)
        stop(tr("The PDF file \"%1\" could not be written.").arg(path));
}

} // namespace ardenvo
