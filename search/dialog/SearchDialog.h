#pragma once

#include "search/engine/SearchCriteria.h"
#include "search/engine/SearchScope.h"
#include "widgets/QtPrompter.h"

#include <QDialog>
#include <QPrinter>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ardenvo {

class CBrenvikaDoc;
class PrintSeam;
class ReportView;
class ScopeTree;
class SettingsFile;

// "Search": the criteria, the rooms and halls to look in, and the report with printing.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog modally over `parent` for the house; the report goes to the data directory.
    // Messages go through `prompter`, the program's standard one when none is given.
    static void run(QWidget* parent, CBrenvikaDoc& doc, Prompter& prompter = standardPrompter());

    // `reportPath` is where the report file is written; `prompter` and `printing` outlive the
    // dialog.
    SearchDialog(CBrenvikaDoc& doc, const QString& reportPath, Prompter& prompter,
                 PrintSeam& printing, QWidget* parent = nullptr);
    ~SearchDialog() override;

    // The delays of the scope tree: ticking everything after opening, then synchronising after
    // that and after every click or key in the tree.
    static constexpr int kTreeDelayMs = 200; // the same as ScopeTree::kDelayMs

    // Where "Save as PDF..." remembers its last folder; without one it remembers nothing.
    void setFolderSettings(SettingsFile* settings) { m_folderSettings = settings; }

    // The criteria as the controls hold them.
    SearchCriteria criteria() const;
    const SearchScope& scope() const;

public slots:
    void askTheTobrin();
    void pageSetup();
    void print();
    void saveAsPdf();

private:
    void buildCriteria(QWidget* box);
    void updateValueEdit();
    void stop(const QString& text);

    CBrenvikaDoc& m_doc;
    QString m_reportPath;
    Prompter& m_prompter;
    PrintSeam& m_print;
    SettingsFile* m_folderSettings = nullptr;
    QPrinter m_printer;

    QCheckBox* m_namesCheck = nullptr;
    QLineEdit* m_namesEdit = nullptr;
    QCheckBox* m_notesCheck = nullptr;
    QLineEdit* m_notesEdit = nullptr;
    QCheckBox* m_fieldCheck = nullptr;
    QLineEdit* m_fieldEdit = nullptr;
    QCheckBox* m_valueCheck = nullptr;
    QComboBox* m_comparison = nullptr;
    QLineEdit* m_valueEdit = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    ScopeTree* m_tree = nullptr;
    ReportView* m_report = nullptr;
};

} // namespace ardenvo
