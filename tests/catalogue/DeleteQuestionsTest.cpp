// The questions asked before an attribute, a picture or an object is deleted, as the user meets
// them: a hasty Enter keeps what would be deleted.
#include "catalogue/ObjectsDialog.h"
#include "catalogue/ObjectsDialogServices.h"
#include "catalogue/fields/CategoryPanel.h"
#include "catalogue/pictures/PictureMessages.h"
#include "planeditor/view/DialogTestSupport.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

// The category panel asked to delete a selected attribute with its "Delete" button; true when the
// attribute went.
bool categoryPanelDeletes(Prompter& prompter) {
    CHouseObject object;
    CategoryPanel panel(prompter);
    panel.selectionChanged(&object);
    panel.setControlsEnabled(true);
    panel.attributeList()->topLevelItem(0)->setSelected(true);
    panel.deleteButton()->click();
    return object.categories()[0]->size() == 0;
}

// The objects dialog's Delete button on a selected chair; true when the chair went.
bool objectsDialogDeletes(Prompter& prompter) {
    CBrenvikaDoc doc;
    doc.newHouse();
    CBlock& room = *doc.currentSection()->blocks()[0];
    auto chair = std::make_unique<CHouseObject>();
    chair->name = "Chair";
    CHouseObject& added = room.addFloorObject(std::move(chair));
    const QTemporaryDir images;
    ObjectsDialogServices services;
    services.imagesFolder = images.path().toStdString();
    services.prompter = &prompter;
    ObjectsDialog dialog(doc, room, &added, nullptr, services);
    dialog.deleteButton()->click();
    return room.floorObjects().empty();
}

} // namespace

TEST(DeleteQuestions, AllThreeWarnAndAnswerNoToEnter) {
    const ObjectsDialogServices services;
    const std::vector<std::pair<QString, std::function<bool(const QString&)>>> questions{
        {"Record will be deleted. Are you sure?",
         [&](const QString&) {
             return categoryPanelDeletes(services.prompts());
         }},
        {"Selected image will be deleted. Are you sure?",
         [&](const QString&) {
             return confirmPictureDeletion(services.prompts(), nullptr);
         }},
        {"Object and all associated reminders will be deleted. Are you sure?",
         [&](const QString&) {
             return objectsDialogDeletes(services.prompts());
         }},
    };
    for (const auto& [text, ask] : questions) {
        bool seen = false;
        whenModal([&seen, text = text](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                dialog->reject();
                return;
            }
            seen = true;
            EXPECT_EQ(box->windowTitle(), "Warning") << text.toStdString();
            EXPECT_EQ(box->text(), text);
            EXPECT_EQ(box->icon(), QMessageBox::Warning) << text.toStdString();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No)) << text.toStdString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        EXPECT_FALSE(ask(text)) << text.toStdString();
        EXPECT_TRUE(seen);

        // Yes still deletes.
        whenModal([](QDialog* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                box->button(QMessageBox::Yes)->click();
            else
                dialog->reject();
        });
        EXPECT_TRUE(ask(text)) << text.toStdString();
    }
}
