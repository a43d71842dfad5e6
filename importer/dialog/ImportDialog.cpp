#include "importer/dialog/ImportDialog.h"

#include "widgets/DialogSupport.h"

#include "model/CBlock.h"
#include "model/CBrenvikaDoc.h"
#include "model/CSection.h"
#include "widgets/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// A target as the list shows it: the fixed ones in the user's language, an attribute by its own
// category and name, which the house keeps.
QString shownTarget(const ColumnTarget& target) {
    const std::string label = targetLabel(target);
    return target.kind == TargetKind::Attribute
               ? qt(label)
               : QCoreApplication::translate("ardenvo::ImportMapping", label.c_str());
}

QString shownPhrase(const Phrase& phrase) {
    return QString::fromStdString(
        phraseText(phrase, [](const char* context, const char* text, int count) {
            return QCoreApplication::translate(context, text, nullptr, count).toStdString();
        }));
}

// Cells of a preview are cut: a note of pages would make the table unreadable.
QString previewText(const std::string& field) {
    constexpr qsizetype kShown = 80;
    QString text = qt(field).replace('\n', QChar(0x21B5)).replace('\r', QString());
    if (text.size() > kShown)
        text = text.left(kShown) + QChar(0x2026);
    return text;
}

} // namespace

bool ImportDialog::run(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter) {
    // The house's own folder first: the spreadsheet is most often kept beside it.
    const QString house = QString::fromStdString(doc.pathName());
    const QString path = prompter.askOpenFileName(
        parent,
        {tr("Import objects"), house.isEmpty() ? QString() : QFileInfo(house).absolutePath(),
         tr("CSV files (*.csv *.tsv *.txt);;All files (*)"), QStringLiteral("csv")});
    if (path.isEmpty())
        return false;
    std::string bytes, error;
    const auto refuse = [&](const std::string& why) {
        prompter.message(parent,
                         {tr("Cannot import %1: %2.")
                              .arg(QFileInfo(path).fileName(),
                                   QCoreApplication::translate("ardenvo::CsvReader", why.c_str())),
                          Prompter::Icon::Stop, Prompter::Title::Error});
        return false;
    };
    if (!readCsvFile(path.toStdString(), bytes, error))
        return refuse(error);
    ImportDialog dialog(doc, std::move(bytes), QFileInfo(path).fileName(), prompter, parent);
    if (!dialog.table().fileError.empty())
        return refuse(dialog.table().fileError);
    return dialog.exec() == QDialog::Accepted;
}

ImportDialog::ImportDialog(CBrenvikaDoc& doc, std::string bytes, const QString& fileName,
                           Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_bytes(std::move(bytes)), m_prompter(prompter) {
    setWindowTitle(tr("Import objects - %1").arg(fileName));
    buildLayout();
    m_table = readCsv(m_bytes);
    m_filling = true;
    m_delimiter->setCurrentIndex(m_delimiter->findData(QChar(m_table.format.delimiter)));
    m_header->setChecked(m_table.format.header);
    m_filling = false;
    m_mapping = guessMapping(m_table.header, m_table.format.header, m_category);
    fillRooms();
    fillPreview();
    replan();
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::buildLayout() {
    auto* layout = new QVBoxLayout(scrollableBody(this));
    // The body scrolls only on a small screen; its controls take the focus, not it.
    if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("body")))
        scroll->setFocusPolicy(Qt::NoFocus);

    auto* fileRow = new QHBoxLayout;
    m_detected = new QLabel(this);
    m_detected->setObjectName("detected");
    fileRow->addWidget(m_detected);
    fileRow->addStretch();
    auto* delimiterLabel = new QLabel(tr("&Delimiter:"), this);
    m_delimiter = new QComboBox(this);
    m_delimiter->setObjectName("delimiter");
    for (char d : kCsvDelimiters)
        m_delimiter->addItem(QCoreApplication::translate("ardenvo::CsvReader", delimiterName(d)),
                             QChar(d));
    delimiterLabel->setBuddy(m_delimiter);
    fileRow->addWidget(delimiterLabel);
    fileRow->addWidget(m_delimiter);
    m_header = new QCheckBox(tr("First row is a &header"), this);
    m_header->setObjectName("header");
    fileRow->addWidget(m_header);
    layout->addLayout(fileRow);

    m_preview = new QTableWidget(this);
    m_preview->setObjectName("preview");
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table for the next control; the arrow keys move between its cells.
    m_preview->setTabKeyNavigation(false);
    m_preview->setAccessibleName(tr("Preview of the file"));
    m_preview->setMinimumSize(720, 260);
    layout->addWidget(m_preview, 1);

    auto* categoryRow = new QFormLayout;
    m_categoryEdit = new QLineEdit(qt(m_category), this);
    m_categoryEdit->setObjectName("category");
    categoryRow->addRow(tr("&Category for other columns:"), m_categoryEdit);
    layout->addLayout(categoryRow);

    auto* where = new QGroupBox(tr("Where the objects go"), this);
    auto* whereLayout = new QGridLayout(where);
    m_roomsFromFile =
        new QRadioButton(tr("Each in the room its row names (missing rooms are &added "
                            "to their section's plan)"),
                         where);
    m_roomsFromFile->setObjectName("roomsFromFile");
    m_roomsFromFile->setChecked(true);
    m_oneRoom = new QRadioButton(tr("Everything in &one room"), where);
    m_oneRoom->setObjectName("oneRoom");
    m_roomLabel = new QLabel(where);
    m_room = new QComboBox(where);
    m_room->setObjectName("room");
    m_roomLabel->setBuddy(m_room);
    whereLayout->addWidget(m_roomsFromFile, 0, 0, 1, 2);
    whereLayout->addWidget(m_oneRoom, 1, 0, 1, 2);
    whereLayout->addWidget(m_roomLabel, 2, 0);
    whereLayout->addWidget(m_room, 2, 1);
    whereLayout->setColumnStretch(1, 1);
    layout->addWidget(where);

    auto* notTakenLabel = new QLabel(tr("Rows &not taken:"), this);
    m_notTaken = new QListWidget(this);
    m_notTaken->setObjectName("notTaken");
    m_notTaken->setMaximumHeight(110);
    notTakenLabel->setBuddy(m_notTaken);
    m_notTaken->setAccessibleName(tr("Rows not taken"));
    layout->addWidget(notTakenLabel);
    layout->addWidget(m_notTaken);
    m_summary = new QLabel(this);
    m_summary->setObjectName("summary");
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName("import");
    m_import->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ImportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImportDialog::reject);

    connect(m_delimiter, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            reread();
    });
    connect(m_header, &QCheckBox::toggled, this, [this] {
        if (!m_filling)
            reread();
    });
    connect(m_categoryEdit, &QLineEdit::editingFinished, this, &ImportDialog::categoryChanged);
    connect(m_oneRoom, &QRadioButton::toggled, this, [this] { replan(); });
    connect(m_room, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            replan();
    });
    resize(fittedToScreen(this, sizeHint().expandedTo({900, 640})));
}

void ImportDialog::reread() {
    CsvChoice choice;
    choice.delimiter = m_delimiter->currentData().toChar().toLatin1();
    choice.header = m_header->isChecked();
    m_table = readCsv(m_bytes, choice);
    m_mapping = guessMapping(m_table.header, m_table.format.header, m_category);
    fillPreview();
    replan();
}

std::vector<ColumnTarget> ImportDialog::choicesFor(int column) const {
    std::vector<ColumnTarget> choices = choosableTargets();
    const auto add = [&choices](const ColumnTarget& t) {
        if (std::find(choices.begin(), choices.end(), t) == choices.end())
            choices.push_back(t);
    };
    const auto c = static_cast<std::size_t>(column);
    add(attributeFor(m_table.header[c], m_category));
    if (c < m_mapping.columns.size())
        add(m_mapping.columns[c]);
    return choices;
}

void ImportDialog::fillPreview() {
    m_filling = true;
    const int columns = static_cast<int>(m_table.header.size());
    const int rows = std::min<int>(kPreviewRows, static_cast<int>(m_table.rows.size()));
    m_preview->clear();
    m_preview->setColumnCount(columns);
    m_preview->setRowCount(rows + 1);
    QStringList headers;
    for (const std::string& h : m_table.header)
        headers << qt(h);
    m_preview->setHorizontalHeaderLabels(headers);
    QStringList lines{tr("Map to")};
    for (int r = 0; r < rows; ++r)
        lines << QString::number(m_table.rows[static_cast<std::size_t>(r)].line);
    m_preview->setVerticalHeaderLabels(lines);
    m_choices.assign(static_cast<std::size_t>(columns), {});
    for (int c = 0; c < columns; ++c) {
        auto& choices = m_choices[static_cast<std::size_t>(c)];
        choices = choicesFor(c);
        auto* combo = new QComboBox(m_preview);
        combo->setObjectName(QStringLiteral("map%1").arg(c));
        combo->setAccessibleName(tr("Map column %1 to").arg(headers[c]));
        for (const ColumnTarget& t : choices)
            combo->addItem(shownTarget(t));
        const auto current = std::find(choices.begin(), choices.end(),
                                       m_mapping.columns[static_cast<std::size_t>(c)]);
        combo->setCurrentIndex(static_cast<int>(current - choices.begin()));
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling)
                replan();
        });
        m_preview->setCellWidget(0, c, combo);
        for (int r = 0; r < rows; ++r) {
            const auto& fields = m_table.rows[static_cast<std::size_t>(r)].fields;
            const auto f = static_cast<std::size_t>(c);
            m_preview->setItem(
                r + 1, c,
                new QTableWidgetItem(f < fields.size() ? previewText(fields[f]) : QString()));
        }
    }
    m_preview->resizeColumnsToContents();
    QString detected = tr("Encoding: %1")
                           .arg(QCoreApplication::translate("ardenvo::CsvReader",
                                                            encodingName(m_table.format.encoding)));
    if (m_mapping.format != KnownFormat::None)
        detected += QStringLiteral("   ") +
                    tr("Recognised: %1")
                        .arg(QCoreApplication::translate("ardenvo::ImportMapping",
                                                         formatName(m_mapping.format)));
    m_detected->setText(detected);
    m_filling = false;
}

void ImportDialog::fillRooms() {
    m_filling = true;
    m_room->clear();
    // The first block of the section on show, as a new object's room would be.
    int current = 0;
    bool chosen = false;
    for (const auto& section : m_doc.sections())
        for (const auto& block : section->blocks()) {
            if (!chosen && section.get() == m_doc.currentSection()) {
                current = m_room->count();
                chosen = true;
            }
            m_room->addItem(qt(section->name + "/" + block->name));
        }
    m_room->setCurrentIndex(current);
    m_filling = false;
}

QComboBox* ImportDialog::mappingCombo(int column) const {
    return qobject_cast<QComboBox*>(m_preview->cellWidget(0, column));
}

void ImportDialog::categoryChanged() {
    const std::string category = m_categoryEdit->text().trimmed().toStdString();
    if (category.empty() || category == m_category) {
        m_categoryEdit->setText(qt(m_category));
        return;
    }
    // Columns that were attributes of the old category become attributes of the new one.
    for (ColumnTarget& t : m_mapping.columns)
        if (t.kind == TargetKind::Attribute && t.category == m_category)
            t.category = category;
    m_category = category;
    fillPreview();
    replan();
}

void ImportDialog::replan() {
    if (m_filling)
        return;
    for (std::size_t c = 0; c < m_choices.size(); ++c)
        if (QComboBox* combo = mappingCombo(static_cast<int>(c)))
            m_mapping.columns[c] = m_choices[c][static_cast<std::size_t>(combo->currentIndex())];
    // Our export's columns carry their meaning only together.
    if (m_mapping.format == KnownFormat::Ardenvo &&
        guessMapping(m_table.header, true, m_category).columns != m_mapping.columns)
        m_mapping.format = KnownFormat::None;

    ImportTarget target;
    const int index = m_room->currentIndex();
    int i = 0;
    for (const auto& section : m_doc.sections())
        for (const auto& block : section->blocks())
            if (i++ == index) {
                target.section = section.get();
                target.block = block.get();
            }
    target.everythingHere = m_oneRoom->isChecked();
    m_roomLabel->setText(target.everythingHere ? tr("The &room:")
                                               : tr("Rows without a &room go to:"));
    m_plan = planImport(m_doc, m_table, m_mapping, target);

    m_notTaken->clear();
    for (const CsvProblem& p : m_plan.notTaken)
        m_notTaken->addItem(tr("Line %1: %2").arg(p.line).arg(shownPhrase(p.why)));
    const auto count = static_cast<qsizetype>(m_plan.items.size());
    const int rooms = static_cast<int>(m_plan.rooms.size());
    //: %1 is "N object(s)", %2 "N room(s)", %3 a number of rooms
    QString summary = tr("%1 will be added in %2, %3 of them new.")
                          .arg(tr("%n object(s)", nullptr, static_cast<int>(count)),
                               tr("%n room(s)", nullptr, rooms))
                          .arg(m_plan.newRoomCount());
    if (count == 0)
        summary = tr("The file holds no rows to import.");
    if (!m_plan.notTaken.empty())
        summary += QLatin1Char(' ') + tr("%n row(s) cannot be taken: Import adds the others, "
                                         "Cancel adds nothing.",
                                         nullptr, static_cast<int>(m_plan.notTaken.size()));
    m_summary->setText(summary);
    m_import->setEnabled(count > 0);
}

void ImportDialog::accept() {
    if (m_plan.items.empty())
        return;
    if (m_plan.looksImportedBefore() &&
        !m_prompter.askYesNo(this,
                             {tr("Every object of this file has a namesake where it would go: the "
                                 "file may have been imported before.\n\nImport it again? The new "
                                 "objects' names get a number."),
                              Prompter::Icon::Warning, Prompter::Title::Warning},
                             Prompter::Answer::No))
        return;
    applyImport(m_doc, m_plan);
    QDialog::accept();
}

} // namespace ardenvo
