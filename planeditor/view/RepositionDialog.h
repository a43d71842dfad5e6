#pragma once

#include "model/CBlock.h"
#include "widgets/Prompter.h"
#include "widgets/QtPrompter.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QLineEdit;
class QRadioButton;

namespace ardenvo {

// "Reposition": the block's four alignment records, one group per side laid out like a compass,
// each with a picture button per mode and the shift in centimetres.
class RepositionDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShiftLimit = 1000;

    RepositionDialog(QWidget* parent, CBlock& block, Prompter& prompter = standardPrompter());

    // Runs modally; on OK the block has its new records and is marked changed (the caller
    // relayouts from it). False on Cancel, nothing changed.
    static bool reposition(QWidget* parent, CBlock& block, Prompter& prompter = standardPrompter());

    // side: BlockSide; mode: 0 Start, 1 Center, 2 End.
    QRadioButton* modeButton(int side, int mode) const;
    QLineEdit* shiftEdit(int side) const;

    void accept() override;

private:
    QWidget* makeSideGroup(int side);

    CBlock& m_block;
    Prompter& m_prompter;
    std::array<QButtonGroup*, 4> m_modeGroups{};
    std::array<QLineEdit*, 4> m_shiftEdits{};
};

} // namespace ardenvo
