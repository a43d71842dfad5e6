#pragma once

#include "labels/print/LabelPrinter.h"
#include "widgets/QtPrompter.h"

#include <QDialog>
#include <QPrinter>
#include <QTimer>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace ardenvo {

class CBrenvikaDoc;
class LabelTree;
class PrintSeam;
class SettingsFile;

// "Print labels": which rooms and objects get a label (with quick choices), the sheet (the shop
// sheets, the label printer's roll, or a custom sheet kept in the settings), where on the first
// sheet to start, whether labels carry codes, a preview of the first sheet, Print and "Save as
// PDF...". Codes new to the house are stored on their objects when the labels are printed or
// saved; the house is then modified.
class LabelsDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog modally, `select` alone ticked when given (else every object that holds
    // others). A house without rooms is told and no dialog opens. True when codes were stored.
    static bool run(QWidget* parent, CBrenvikaDoc& doc, const CHouseObject* select = nullptr,
                    Prompter& prompter = standardPrompter());

    // The custom sheet and the last sheet chosen are kept in `settings` (none: not kept);
    // `prompter`, `printing` and `settings` outlive the dialog.
    LabelsDialog(CBrenvikaDoc& doc, const CHouseObject* select, Prompter& prompter,
                 PrintSeam& printing, SettingsFile* settings, QWidget* parent = nullptr);
    ~LabelsDialog() override;

    // The sheet as the controls give it.
    LabelSheet sheet() const;
    // The labels as they would be printed now (codes planned, not stored).
    LabelJob job() const;
    QImage preview() const;
    LabelTree* tree() const { return m_tree; }
    // Whether codes were stored in the house.
    bool codesStored() const { return m_codesStored; }

    // The house has no room or hall to label (the message is put then).
    static bool refuseEmptyHouse(QWidget* parent, const CBrenvikaDoc& doc, Prompter& prompter);

public slots:
    void saveAsPdf();
    void print();
    void updatePreview();
    void chooseContainers();
    void chooseRooms();

private:
    void sheetChosen();
    void showSheet(const LabelSheet& sheet);
    // The job when labels are chosen and the sheet and start can be used; else the reason is
    // told and nothing is returned.
    std::optional<LabelJob> checkedJob();
    void storeCodes(const LabelJob& job);
    bool underProgress(const QString& label, const std::function<bool(const LabelProgress&)>& step);
    void stop(const QString& text);

    CBrenvikaDoc& m_doc;
    Prompter& m_prompter;
    PrintSeam& m_print;
    SettingsFile* m_settings;
    QPrinter m_printer;
    QTimer m_previewTimer;
    bool m_codesStored = false;
    bool m_showing = false;

    LabelTree* m_tree = nullptr;
    QComboBox* m_sheets = nullptr;
    // Page width, height; columns, rows; label width, height; left, top margin; pitches.
    std::array<QDoubleSpinBox*, 10> m_sizes{};
    QSpinBox* m_start = nullptr;
    QCheckBox* m_codes = nullptr;
    QLabel* m_preview = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace ardenvo
