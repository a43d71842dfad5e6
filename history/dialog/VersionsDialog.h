#pragma once

#include "history/VersionStore.h"

#include <QDialog>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace ardenvo {

class CBrenvikaDoc;

// "Earlier versions": the versions kept of the open house, newest first, with date, size and
// object count (a damaged one said to be damaged), and for the selected one what changed from it
// to the house as it is now. "Open" ends the dialog with that version chosen.
class VersionsDialog : public QDialog {
    Q_OBJECT
public:
    // `house` is the house as shown; `folder` its versions folder.
    VersionsDialog(const CBrenvikaDoc& house, const std::string& folder, QWidget* parent = nullptr);
    ~VersionsDialog() override;

    // The bytes of the version the user chose to open; empty when none was.
    const std::string& chosen() const { return m_chosen; }
    // The versions listed, newest first.
    const std::vector<HouseVersion>& versions() const { return m_versions; }
    // The differences shown for the selected version.
    QString differencesText() const;
    // Waits until every row has its object count (tests).
    void waitForCounts();

private:
    void showSelected();
    void openSelected();
    void countInBackground();

    const CBrenvikaDoc& m_house;
    std::vector<HouseVersion> m_versions;
    std::vector<int> m_damaged; // per row: -1 not known yet, 0 fine, 1 damaged
    std::string m_chosen;
    QTreeWidget* m_list = nullptr;
    QPlainTextEdit* m_differences = nullptr;
    QLabel* m_caption = nullptr;
    QPushButton* m_open = nullptr;
    std::atomic<bool> m_stop{false};
    std::thread m_counter;
};

} // namespace ardenvo
