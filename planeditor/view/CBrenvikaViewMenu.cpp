#include "planeditor/view/CBrenvikaView.h"

#include "planeditor/layout/BlockLayout.h"
#include "platform/TextCodec.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>
#include <limits>

// The plan's context menu and the commands it posts back to the view.
namespace ardenvo {

namespace {

// Where the new hall or room goes, next to the chosen one.
const char* const kSideLabels[4] = {QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "To the &north"),
                                    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "To the &east"),
                                    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "To the &south"),
                                    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "To the &west")};
const char* const kSideTips[4] = {
    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "Attaches it to the north of this one"),
    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "Attaches it to the east of this one"),
    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "Attaches it to the south of this one"),
    QT_TRANSLATE_NOOP("ardenvo::CBrenvikaView", "Attaches it to the west of this one")};

} // namespace

// ---- context menu -----------------------------------------------------------------------------

void CBrenvikaView::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse opens the menu on release of the right button; this is the keyboard's way.
    if (event->reason() == QContextMenuEvent::Keyboard)
        showSelectionMenu();
}

void CBrenvikaView::showContextMenu(QPoint screen) {
    const CBlock* block = blockAt(screen);
    if (!block)
        return;
    QMenu* menu = buildContextMenu(*block);
    menu->popup(mapToGlobal(screen));
}

QMenu* CBrenvikaView::buildContextMenu(const CBlock& block) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::int32_t id = block.id;
    const bool onObject = block.selectedFloorObject() != nullptr;

    // The command reaches the view after the menu has gone, as a posted message would.
    auto post = [this, id](Command command, int side) {
        QMetaObject::invokeMethod(
            this, [this, command, id, side] { runCommand(command, id, side); },
            Qt::QueuedConnection);
    };
    // Each entry explains itself in the status bar while the pointer is on it, as the menu bar's
    // entries do. A popup menu is a window of its own, so Qt's status tips stop at it and never
    // reach the frame: the view passes them on itself.
    auto addItem = [&](QMenu* into, const QString& text, const QString& status, Command command,
                       bool enabled, int side = -1) {
        QAction* action = into->addAction(text);
        action->setStatusTip(status);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [post, command, side] { post(command, side); });
    };
    // Whole sentences for the object and for the block, so each language can inflect its own.
    auto either = [onObject](const QString& object, const QString& block) {
        return onObject ? object : block;
    };

    QMenu* add = menu->addMenu(tr("&Add neighbor"));
    add->menuAction()->setStatusTip(tr("Attaches a new hall or room to a free side"));
    QMenu* hall = add->addMenu(tr("A &hall"));
    hall->menuAction()->setStatusTip(tr("Attaches a new hall"));
    QMenu* room = add->addMenu(tr("A r&oom"));
    room->menuAction()->setStatusTip(tr("Attaches a new room"));
    for (int side = North; side <= West; ++side) {
        const bool free = block.neighbours[static_cast<std::size_t>(side)] == 0;
        const QString label = tr(kSideLabels[side]);
        const QString status = tr(kSideTips[side]);
        addItem(hall, label, status, Command::AddHall, free, side);
        addItem(room, label, status, Command::AddRoom, free, side);
    }
    addItem(
        menu, tr("&Rename"),
        either(tr("Gives the selected object a new name"), tr("Gives the room/hall a new name")),
        Command::Rename, onObject ? bool(m_hooks.renameObject) : bool(m_hooks.renameBlock));
    addItem(menu, tr("Re&size"),
            either(tr("Changes the size of the selected object"),
                   tr("Changes the size of the room/hall")),
            Command::Resize, onObject ? bool(m_hooks.resizeObject) : bool(m_hooks.resizeBlock));
    addItem(menu, tr("Re&position"), tr("Sets the relative position to the neighbors"),
            Command::Reposition, bool(m_hooks.reposition));
    addItem(menu, tr("Change &color"),
            either(tr("Changes the color of the selected object"),
                   tr("Changes the color of the room/hall")),
            Command::ChangeColor, true);
    addItem(menu, tr("&Objects inside"), tr("Shows and edits the objects in the room/hall"),
            Command::ObjectsInside, bool(m_hooks.objectsInside));
    addItem(menu, tr("&Delete"),
            either(tr("Deletes the selected object"), tr("Deletes the room/hall")), Command::Delete,
            true);

    for (QMenu* m : {menu, add, hall, room})
        connect(m, &QMenu::hovered, this,
                [this](QAction* action) { emit statusMessage(action->statusTip()); });
    connect(menu, &QMenu::aboutToHide, this, [this] { emit statusMessage(QString()); });
    return menu;
}

void CBrenvikaView::runCommand(Command command, std::int32_t blockId, int side) {
    CSection* section = m_doc.currentSection();
    CBlock* block = section ? section->findBlockById(blockId) : nullptr;
    if (!block)
        return;
    const QString name = commandName(command, *block);
    emit editBegins();
    markModified();
    CHouseObject* object = block->selectedFloorObject();
    const bool forObject =
        object && (command == Command::Delete || command == Command::Resize ||
                   command == Command::ChangeColor || command == Command::Rename);
    if (forObject)
        runObjectCommand(command, *block, *object);
    else
        runBlockCommand(command, *section, *block, side);
    emit editEnds(name);
}

QString CBrenvikaView::commandName(Command command, const CBlock& block) {
    switch (command) {
    case Command::AddHall:
    case Command::AddRoom:
        //: The name of an edit, as Undo and Redo show it
        return tr("Add neighbor");
    case Command::Rename:
        //: The name of an edit, as Undo and Redo show it
        return tr("Rename");
    case Command::Resize:
        //: The name of an edit, as Undo and Redo show it
        return QCoreApplication::translate("ardenvo::PlanDrag", "Resize");
    case Command::Reposition:
        //: The name of an edit, as Undo and Redo show it
        return tr("Reposition");
    case Command::ChangeColor:
        //: The name of an edit, as Undo and Redo show it
        return tr("Change color");
    case Command::ObjectsInside:
        //: The name of an edit, as Undo and Redo show it; %1 is the room or hall
        return tr("Objects inside %1").arg(displayText(block.name));
    case Command::Delete:
        break;
    }
    //: The name of an edit, as Undo and Redo show it
    return tr("Delete");
}

void CBrenvikaView::runBlockCommand(Command command, CSection& section, CBlock& block, int side) {
    switch (command) {
    case Command::AddHall:
    case Command::AddRoom:
        addNeighbor(m_doc, block.id, side,
                    command == Command::AddHall ? BlockKind::Hall : BlockKind::Room);
        fitToWindow();
        break;
    case Command::Rename:
        if (m_hooks.renameBlock)
            if (auto name = m_hooks.renameBlock(this, section, block)) {
                block.name = *name;
                redraw();
            }
        break;
    case Command::Resize:
        if (m_hooks.resizeBlock)
            if (auto size = m_hooks.resizeBlock(this, units(), block)) {
                block.setRect(withExtent(block.rect(), size->width(), size->height()));
                block.changed = 1;
                relayoutFrom(section, block.id, -1);
                emitSizeText();
                fitToWindow();
            }
        break;
    case Command::Reposition:
        if (m_hooks.reposition && m_hooks.reposition(this, block)) {
            relayoutFrom(section, block.id, -1);
            fitToWindow();
        }
        break;
    case Command::ChangeColor: {
        const ColorRef before = block.colorRect.color;
        if (auto color = m_prompter->askColor(this, before)) {
            block.colorRect.color = *color;
            redraw();
        }
        break;
    }
    case Command::ObjectsInside:
        if (m_hooks.objectsInside) {
            CSection* active = m_doc.currentSection();
            m_hooks.objectsInside(this, m_doc, block, block.selectedFloorObject());
            // The dialog may browse other sections; the plan stays on its own.
            const auto& sections = m_doc.sections();
            if (std::any_of(sections.begin(), sections.end(),
                            [active](const auto& s) { return s.get() == active; }))
                m_doc.setCurrentSection(active);
            redraw();
        }
        break;
    case Command::Delete: {
        const std::int32_t id = block.id;
        const DeleteBlockResult result = deleteBlock(section, id);
        if (result == DeleteBlockResult::Deleted) {
            std::erase(m_figures, id);
            emitSizeText();
            fitToWindow();
        } else if (result != DeleteBlockResult::NotFound) {
            refuse(
                QCoreApplication::translate("ardenvo::BlockLayout", deleteRefusalMessage(result)));
        }
        break;
    }
    }
}

void CBrenvikaView::runObjectCommand(Command command, CBlock& block, CHouseObject& object) {
    switch (command) {
    case Command::Delete: {
        // Removal goes by name; a damaged file may hold two objects of one name, so the chosen
        // one gets a name of its own first.
        if (block.findFloorObject(object.name) != &object) {
            std::string unique = object.name;
            while (block.findFloorObject(unique))
                unique += '\x01';
            object.name = unique;
        }
        block.removeFloorObject(object.name);
        redraw();
        break;
    }
    case Command::Rename:
        if (m_hooks.renameObject)
            if (auto name = m_hooks.renameObject(this, block, object)) {
                object.rename(*name);
                redraw();
            }
        break;
    case Command::Resize:
        if (m_hooks.resizeObject)
            if (auto size = m_hooks.resizeObject(this, units(), block, object)) {
                object.location.rect =
                    withExtent(object.location.rect, size->width(), size->height());
                redraw();
            }
        break;
    case Command::ChangeColor:
        if (auto color = m_prompter->askColor(this, object.color)) {
            object.color = *color;
            redraw();
        }
        break;
    default:
        break;
    }
}

// ---- messages ---------------------------------------------------------------------------------

void CBrenvikaView::refuse(const QString& text) {
    m_prompter->message(this, {text, Prompter::Icon::Stop});
}

void CBrenvikaView::inform(const QString& text) {
    m_prompter->message(this, {text});
}

} // namespace ardenvo
