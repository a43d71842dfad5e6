#include "planeditor/view/RepositionDialog.h"

#include "planeditor/view/AlignmentPictures.h"
#include "platform/TextCodec.h"
#include "widgets/DialogSupport.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>

namespace ardenvo {

namespace {

constexpr int kPictureSize = 40;

// Names of the controls, for the code; the user reads the texts below.
const char* const kSideKeys[4] = {"North", "East", "South", "West"};
const char* const kSideTitles[4] = {QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "&North"),
                                    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "&East"),
                                    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "&South"),
                                    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "&West")};
// The side and the mode a picture button stands for, as a screen reader says it.
const char* const kModeNames[4][3] = {
    {QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "North: lined up with the start"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "North: centered"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "North: lined up with the end")},
    {QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "East: lined up with the start"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "East: centered"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "East: lined up with the end")},
    {QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "South: lined up with the start"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "South: centered"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "South: lined up with the end")},
    {QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "West: lined up with the start"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "West: centered"),
     QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "West: lined up with the end")}};
const char* const kShiftNames[4] = {
    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "Shift against the northern neighbor"),
    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "Shift against the eastern neighbor"),
    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "Shift against the southern neighbor"),
    QT_TRANSLATE_NOOP("ardenvo::RepositionDialog", "Shift against the western neighbor")};

QString shiftTip(int side) {
    return side == North || side == South
               ? RepositionDialog::tr("Positive value means the block is shifted to the east "
                                      "relatively to the neighbor")
               : RepositionDialog::tr("Positive value means the block is shifted to the south "
                                      "relatively to the neighbor");
}

} // namespace

RepositionDialog::RepositionDialog(QWidget* parent, CBlock& block, Prompter& prompter)
    : QDialog(parent), m_block(block), m_prompter(prompter) {
    setWindowTitle(tr("Reposition"));

    auto* compass = new QGridLayout;
    compass->addWidget(makeSideGroup(North), 0, 1);
    compass->addWidget(makeSideGroup(West), 1, 0);
    compass->addWidget(makeSideGroup(East), 1, 2);
    compass->addWidget(makeSideGroup(South), 2, 1);
    // The block itself sits in the middle of the compass, so the user sees which one is edited.
    auto* name = new QLabel(displayText(m_block.name), this);
    name->setObjectName(QStringLiteral("blockName"));
    name->setAlignment(Qt::AlignCenter);
    name->setWordWrap(true);
    compass->addWidget(name, 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(compass);
    layout->addWidget(buttons);
    setLayout(layout);
}

namespace {

// The picture drawn at the pixels of each usual screen scale, so a scaled screen shows it sharp.
QIcon alignmentIcon(int side, int mode) {
    QIcon icon;
    for (const qreal scale : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        QPixmap pixmap =
            QPixmap::fromImage(alignmentPicture(side, mode, qRound(kPictureSize * scale)));
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QWidget* RepositionDialog::makeSideGroup(int side) {
    auto* box = new QGroupBox(tr(kSideTitles[side]), this);
    box->setObjectName(QString::fromLatin1(kSideKeys[side]).toLower());
    // North and South line the blocks up along x (left to right), West and East along y.
    const bool alongX = side == North || side == South;
    auto* pictures = new QBoxLayout(alongX ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    const SideAlignment& record = m_block.alignments[static_cast<std::size_t>(side)];
    for (int mode = 0; mode < 3; ++mode) {
        auto* button = new QRadioButton(box);
        button->setIcon(alignmentIcon(side, mode));
        button->setIconSize(QSize(kPictureSize, kPictureSize));
        button->setAccessibleName(tr(kModeNames[side][mode]));
        // A mode outside 0-2 from a damaged file leaves every button clear; OK then keeps it.
        button->setChecked(record.mode == mode);
        group->addButton(button, mode);
        pictures->addWidget(button);
    }
    m_modeGroups[static_cast<std::size_t>(side)] = group;

    auto* edit = new QLineEdit(QString::number(record.shift), box);
    edit->setObjectName(QStringLiteral("shift%1").arg(QString::fromLatin1(kSideKeys[side])));
    edit->setToolTip(shiftTip(side));
    edit->setAccessibleName(tr(kShiftNames[side]));
    edit->setMaximumWidth(70);
    m_shiftEdits[static_cast<std::size_t>(side)] = edit;
    auto* shiftRow = new QHBoxLayout;
    shiftRow->addStretch();
    shiftRow->addWidget(new QLabel(QStringLiteral("_"), box));
    shiftRow->addWidget(edit);
    shiftRow->addWidget(new QLabel(QStringLiteral("+"), box));
    shiftRow->addStretch();

    auto* layout = new QVBoxLayout(box);
    layout->addLayout(pictures);
    layout->addLayout(shiftRow);
    return box;
}

QRadioButton* RepositionDialog::modeButton(int side, int mode) const {
    if (side < North || side > West)
        return nullptr;
    return qobject_cast<QRadioButton*>(m_modeGroups[static_cast<std::size_t>(side)]->button(mode));
}

QLineEdit* RepositionDialog::shiftEdit(int side) const {
    if (side < North || side > West)
        return nullptr;
    return m_shiftEdits[static_cast<std::size_t>(side)];
}

void RepositionDialog::accept() {
    // Every edit is checked before anything changes, so a refusal leaves the block as it was.
    std::array<int, 4> shifts{};
    for (int side : {North, West, East, South}) {
        const auto shift = readInteger(m_shiftEdits[static_cast<std::size_t>(side)], -kShiftLimit,
                                       kShiftLimit, m_prompter);
        if (!shift)
            return;
        shifts[static_cast<std::size_t>(side)] = *shift;
    }
    for (std::size_t side = 0; side < 4; ++side) {
        SideAlignment& record = m_block.alignments[side];
        const int mode = m_modeGroups[side]->checkedId();
        if (mode >= 0)
            record.mode = mode;
        record.shift = shifts[side];
    }
    m_block.changed = 1;
    QDialog::accept();
}

bool RepositionDialog::reposition(QWidget* parent, CBlock& block, Prompter& prompter) {
    RepositionDialog dialog(parent, block, prompter);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ardenvo
