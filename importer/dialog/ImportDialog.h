#pragma once

#include "importer/core/CsvReader.h"
#include "importer/core/HouseImport.h"
#include "importer/core/ImportMapping.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ardenvo {

class CBrenvikaDoc;
class Prompter;

// "Import objects": what was detected in a CSV file (encoding, delimiter, header row), its first
// rows with a mapping per column, where the rows go, and the rows that cannot be taken. Import
// adds the objects that can be; Cancel leaves the house as it was.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for the file through `prompter`, reads it and shows the dialog; true when objects were
    // added to the house.
    static bool run(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter);

    // `bytes` is the file's content; `fileName` is shown in the title.
    ImportDialog(CBrenvikaDoc& doc, std::string bytes, const QString& fileName, Prompter& prompter,
                 QWidget* parent = nullptr);
    ~ImportDialog() override;

    // The rows shown under the mapping row, at most.
    static constexpr int kPreviewRows = 20;

    const CsvTable& table() const { return m_table; }
    const ImportMapping& mapping() const { return m_mapping; }
    const ImportPlan& plan() const { return m_plan; }
    // The mapping combo of a column, for tests.
    QComboBox* mappingCombo(int column) const;

public slots:
    void accept() override;

private:
    void buildLayout();
    // Reads the file again with the chosen delimiter and header row; the mapping starts over.
    void reread();
    void fillPreview();
    void fillRooms();
    // The mapping from the combos, then the plan from the mapping.
    void replan();
    void categoryChanged();
    std::vector<ColumnTarget> choicesFor(int column) const;

    CBrenvikaDoc& m_doc;
    std::string m_bytes;
    Prompter& m_prompter;
    CsvTable m_table;
    ImportMapping m_mapping;
    ImportPlan m_plan;
    std::vector<std::vector<ColumnTarget>> m_choices; // per column, as its combo lists them
    std::string m_category{kDefaultImportCategory};
    bool m_filling = false;

    QLabel* m_detected = nullptr;
    QComboBox* m_delimiter = nullptr;
    QCheckBox* m_header = nullptr;
    QLineEdit* m_categoryEdit = nullptr;
    QTableWidget* m_preview = nullptr;
    QRadioButton* m_roomsFromFile = nullptr;
    QRadioButton* m_oneRoom = nullptr;
    QLabel* m_roomLabel = nullptr;
    QComboBox* m_room = nullptr;
    QListWidget* m_notTaken = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_import = nullptr;
};

} // namespace ardenvo
