#pragma once

#include "catalogue/LocationView.h"
#include "catalogue/ObjectTree.h"
#include "catalogue/ObjectsDialog.h"
#include "model/CBrenvikaDoc.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ardenvo::test {

// Runs `action` on the next popup menu once it is open; the action must close it.
inline void whenPopup(std::function<void(QMenu*)> action) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, action = std::move(action)] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            action(menu);
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// A menu entry's or button's text as read, without the '&' of its Alt-key letter.
inline QString withoutLetter(QString text) {
    static const QRegularExpression single(QStringLiteral("&(.)"));
    return text.replace(single, QStringLiteral("\\1"));
}

inline QAction* actionNamed(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (withoutLetter(a->text()) == text)
            return a;
    return nullptr;
}

// A house with one 400 x 300 room holding a table (a lamp on top, a drawer inside) and a chair,
// and the "Objects inside" dialog on it with every question answered by the test.
class ObjectsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        doc.newHouse();
        CSection& house = *doc.currentSection();
        house.blocks()[0]->name = "Kitchen";
        house.blocks()[0]->setRect({0, 0, 400, 300});
        room = house.blocks()[0].get();
        table = &addFloor("Table", {20, 20, 120, 100});
        chair = &addFloor("Chair", {200, 150, 250, 200});
        lamp = &table->addChild(NestPosition::OnTop, named("Lamp"));
        drawer = &table->addChild(NestPosition::Inside, named("Drawer"));

        services.editProperties = [this](QWidget*, const std::optional<ObjectProperties>& current,
                                         bool onFloor) -> std::optional<ObjectProperties> {
            offeredProperties = current;
            offeredOnFloor = onFloor;
            return answerProperties;
        };
        services.prompter = &prompter;
        services.imagesFolder = m_images.path().toStdString();
        services.resize = [this](QWidget*, const UnitTable&, const CBlock&, const CHouseObject&) {
            return answerSize;
        };
    }

    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        dialog.reset();
    }

    static std::unique_ptr<CHouseObject> named(const std::string& name) {
        auto o = std::make_unique<CHouseObject>();
        o->name = name;
        return o;
    }
    CHouseObject& addFloor(const std::string& name, const Rect& r) {
        auto o = named(name);
        o->location.rect = r;
        return room->addFloorObject(std::move(o));
    }

    // A small red picture file in the test's Images folder.
    void saveRedPicture(const QString& file) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(m_images.filePath(file)));
    }

    void open(CHouseObject* select = nullptr) {
        dialog = std::make_unique<ObjectsDialog>(doc, *room, select, nullptr, services);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    ObjectTree& tree() { return *dialog->tree(); }
    QTreeWidgetItem* itemOf(const CHouseObject* o) { return tree().itemOf(dialog->block(), o); }
    // The labels below an item, in the tree's order.
    static QStringList labelsBelow(const QTreeWidgetItem* item) {
        QStringList labels;
        for (int i = 0; i < item->childCount(); ++i)
            labels << item->child(i)->text(0);
        return labels;
    }
    // Opens the context menu for `target` and triggers the entry along `path`; `inspect` sees the
    // menu first.
    void chooseFromMenu(QTreeWidgetItem* target, const QStringList& path,
                        std::function<void(QMenu*)> inspect = {}) {
        whenPopup([path, inspect](QMenu* menu) {
            if (inspect)
                inspect(menu);
            QMenu* current = menu;
            for (int i = 0; i < path.size() && current; ++i) {
                QAction* action = actionNamed(current, path[i]);
                if (!action)
                    break;
                if (i + 1 < path.size())
                    current = action->menu();
                else if (action->isEnabled())
                    action->trigger();
            }
            menu->close();
        });
        dialog->showContextMenu(target, QPoint(100, 100));
    }

    CBrenvikaDoc doc;
    CBlock* room = nullptr;
    CHouseObject* table = nullptr;
    CHouseObject* chair = nullptr;
    CHouseObject* lamp = nullptr;
    CHouseObject* drawer = nullptr;

    ObjectsDialogServices services;
    std::optional<ObjectProperties> answerProperties;
    std::optional<ObjectProperties> offeredProperties;
    bool offeredOnFloor = false;
    // Answers the dialog's questions and colour choices, and those of the dialogs it opens.
    ScriptedPrompter prompter;
    std::optional<QSizeF> answerSize;
    std::unique_ptr<ObjectsDialog> dialog;
    QTemporaryDir m_images;
};

} // namespace ardenvo::test
