#include "catalogue/MoveObjectDialog.h"

#include "catalogue/LocationView.h"
#include "catalogue/ObjectTree.h"
#include "catalogue/RoomSelector.h"
#include "platform/TextCodec.h"
#include "widgets/DialogSupport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardenvo {

namespace {

const char* const kSideTitles[2] = {QT_TRANSLATE_NOOP("ardenvo::MoveObjectDialog", "Source room"),
                                    QT_TRANSLATE_NOOP("ardenvo::MoveObjectDialog",
                                                      "Destination room")};

QString sideTitle(int side) {
    return QCoreApplication::translate("ardenvo::MoveObjectDialog", kSideTitles[side]);
}

} // namespace

MoveObjectDialog::MoveObjectDialog(CBrenvikaDoc& doc, CBlock& block, const CHouseObject* select,
                                   Prompter& prompter, QWidget* parent, Help help)
    : QDialog(parent), m_doc(doc), m_blocks{&block, &block}, m_prompter(prompter),
      m_help(std::move(help)) {
    setWindowTitle(tr("Move object"));
    block.selected = 0;
    block.markAllFloorObjects(0);

    auto* location = new QGroupBox(tr("Object location"), this);
    m_type = new QComboBox(location);
    m_type->addItems({sideTitle(0), sideTitle(1)});
    auto* typeLabel = new QLabel(tr("&Type:"), location);
    typeLabel->setBuddy(m_type);
    m_rooms = new RoomSelector(doc, true, location);
    m_previewGroup = new QGroupBox(sideTitle(0), location);
    m_view = new LocationView(m_previewGroup, QSize(260, 200));
    // Only a left click picks an object here: any other would reorder the floor for nothing.
    m_view->setActingButtons(Qt::LeftButton);
    (new QVBoxLayout(m_previewGroup))->addWidget(m_view);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(typeLabel);
    typeRow->addWidget(m_type, 1);
    auto* locationLayout = new QVBoxLayout(location);
    locationLayout->addLayout(typeRow);
    locationLayout->addWidget(m_rooms);
    locationLayout->addWidget(m_previewGroup);

    auto* commands = new QGroupBox(tr("Move command"), this);
    auto* commandRow = new QHBoxLayout(commands);
    const std::pair<QString, MoveTarget> buttons[] = {
        {tr("Move to &floor"), MoveTarget::Floor},
        {tr("Move &on top"), MoveTarget::OnTop},
        {tr("Move &inside"), MoveTarget::Inside},
        {tr("Move &under"), MoveTarget::Under},
    };
    for (const auto& [text, target] : buttons) {
        auto* button = new QPushButton(text, commands);
        button->setAutoDefault(false);
        commandRow->addWidget(button);
        m_moveButtons[static_cast<std::size_t>(target)] = button;
        const MoveTarget t = target;
        connect(button, &QPushButton::clicked, this, [this, t] { moveTo(t); });
    }

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    auto* helpButton = new QPushButton(tr("&Help"), this);
    helpButton->setAutoDefault(false);
    helpButton->setEnabled(bool(m_help));
    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(ok);
    okRow->addWidget(helpButton);

    auto* grid = new QGridLayout(scrollableBody(this));
    grid->addWidget(makeTree(Source, tr("Source")), 0, 0);
    grid->addWidget(location, 0, 1);
    grid->addWidget(makeTree(Destination, tr("Destination")), 0, 2);
    grid->addWidget(commands, 1, 0, 1, 3);
    grid->addLayout(okRow, 2, 0, 1, 3);
    // Tab reads the dialog as it is laid out: the source, the room it shows, the destination,
    // then the commands.
    QWidget* order[] = {m_trees[Source],
                        m_type,
                        m_rooms->sectionsCombo(),
                        m_rooms->roomsCombo(),
                        m_rooms->changeRoomButton(),
                        m_trees[Destination],
                        moveButton(MoveTarget::Floor),
                        moveButton(MoveTarget::OnTop),
                        moveButton(MoveTarget::Inside),
                        moveButton(MoveTarget::Under),
                        ok,
                        helpButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    resize(fittedToScreen(this, sizeHint()));

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help(this, QStringLiteral("objects.html#move"));
    });
    connect(m_type, &QComboBox::activated, this,
            [this](int index) { showSide(index == 1 ? Destination : Source); });
    connect(m_rooms, &RoomSelector::changeRoomClicked, this, &MoveObjectDialog::changeRoom);
    connect(m_view, &LocationView::objectPressed, this,
            [this](CHouseObject* hit, Qt::MouseButton, const QPoint&) {
                if (hit)
                    selectInTree(m_shown, hit);
            });

    m_rooms->fill(displayText(block.name));
    for (Side side : {Source, Destination}) {
        m_sectionTexts[side] = m_rooms->sectionText();
        m_roomTexts[side] = m_rooms->roomText();
    }
    layOutSide(Source);
    m_trees[Destination]->rebuild(m_blocks[Destination]);
    // By place, not by label: a "Drawer" in the chair is not the table's "Drawer".
    selectInTree(Source, select);
}

CHouseObject* MoveObjectDialog::run(QWidget* parent, CBrenvikaDoc& doc, CBlock& block,
                                    const CHouseObject* select, Prompter& prompter, Help help) {
    MoveObjectDialog dialog(doc, block, select, prompter, parent, std::move(help));
    dialog.exec();
    return dialog.lastMoved();
}

QWidget* MoveObjectDialog::makeTree(Side side, const QString& title) {
    auto* group = new QGroupBox(title, this);
    auto* tree = new ObjectTree(group);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setContextMenuPolicy(Qt::NoContextMenu);
    tree->setMinimumSize(200, 280);
    tree->setAccessibleName(title);
    (new QVBoxLayout(group))->addWidget(tree);
    m_trees[side] = tree;
    // Clicking the other side's tree shows that side's room.
    const auto follow = [this, side] {
        if (m_shown != side)
            showSide(side);
    };
    connect(tree, &QTreeWidget::itemClicked, this, follow);
    connect(tree, &QTreeWidget::itemDoubleClicked, this, follow);
    connect(tree, &QTreeWidget::currentItemChanged, this, [this, side] {
        if (m_shown == side)
            showSelection();
    });
    return group;
}

void MoveObjectDialog::showSide(Side side) {
    m_sectionTexts[m_shown] = m_rooms->sectionText();
    m_roomTexts[m_shown] = m_rooms->roomText();
    m_shown = side;
    m_rooms->choose(m_sectionTexts[side], m_roomTexts[side]);
    m_type->setCurrentIndex(side);
    m_previewGroup->setTitle(sideTitle(side));
    changeRoom();
}

void MoveObjectDialog::changeRoom() {
    if (m_rooms->roomText().isEmpty()) {
        warn(tr("Select a room"));
        return;
    }
    const RoomChoice choice = m_rooms->chosenRoom();
    if (choice.section) {
        m_doc.setCurrentSection(choice.section);
        if (choice.block) {
            choice.block->selected = 0;
            choice.block->markAllFloorObjects(0);
            m_blocks[m_shown] = choice.block;
        }
    }
    layOutSide(m_shown);
}

void MoveObjectDialog::layOutSide(Side side) {
    m_view->setBlock(m_blocks[side]);
    m_trees[side]->rebuild(m_blocks[side]);
    showSelection();
}

void MoveObjectDialog::showSelection() {
    ObjectTree* tree = m_trees[m_shown];
    m_view->setSelectedObject(
        tree ? tree->placeOf(*m_blocks[m_shown], tree->currentItem()).object : nullptr);
}

void MoveObjectDialog::selectInTree(Side side, const CHouseObject* object) {
    if (QTreeWidgetItem* item = object ? m_trees[side]->itemOf(*m_blocks[side], object) : nullptr)
        m_trees[side]->setCurrentItem(item);
}

void MoveObjectDialog::moveTo(MoveTarget target) {
    CBlock& source = *m_blocks[Source];
    CBlock& destination = *m_blocks[Destination];
    const ObjectPlace place = m_trees[Source]->placeOf(source, m_trees[Source]->currentItem());
    if (!place.object) {
        warn(tr("Select source object to move"));
        return;
    }
    CHouseObject* onto =
        m_trees[Destination]->placeOf(destination, m_trees[Destination]->currentItem()).object;
    if (!moveObjectTo(source, place, destination, onto, target)) {
        warn(tr("An object cannot be moved into itself or into an object it holds."));
        return;
    }
    m_doc.setModified(true);
    m_lastMoved = place.object;
    m_trees[Source]->rebuild(&source);
    m_trees[Destination]->rebuild(&destination);
    // The source tree's selected item now shows whatever took the moved object's place.
    m_trees[Source]->setCurrentItem(nullptr);
    m_trees[Source]->clearSelection();
    // The moved object is selected where it landed, its new parent opened to show it.
    if (QTreeWidgetItem* item = m_trees[Destination]->itemOf(destination, place.object)) {
        if (item->parent())
            item->parent()->setExpanded(true);
        m_trees[Destination]->setCurrentItem(item);
        m_trees[Destination]->scrollToItem(item);
    }
    showSelection();
    m_view->redraw();
}

void MoveObjectDialog::warn(const QString& text) {
    m_prompter.message(this, {text, Prompter::Icon::Warning, Prompter::Title::Warning, {}});
}

} // namespace ardenvo
