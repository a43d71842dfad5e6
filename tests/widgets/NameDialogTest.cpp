#include "planeditor/view/DialogTestSupport.h"

#include "model/CSection.h"
#include "planeditor/layout/BlockLayout.h"
#include "widgets/NameDialog.h"

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

// Opens the dialog through its entry point, types `text` and presses OK (or Cancel).
template <typename Run> auto renameTo(const QString& text, Run run, bool ok = true) {
    whenModal([text, ok](QDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        retype(edit, text);
        if (ok)
            clickOk(dialog);
        else
            clickCancel(dialog);
    });
    return run();
}

class NameDialogTest : public testing::Test {
protected:
    void SetUp() override {
        installLayout(doc);
        doc.newHouse();
    }
    CSection& section() { return *doc.currentSection(); }
    CBrenvikaDoc doc;
};

} // namespace

TEST_F(NameDialogTest, BlockNamesStayUniqueInTheSectionButABlockNeverClashesWithItself) {
    CBlock& hall = *section().blocks()[0];
    CBlock* hall2 = addNeighbor(doc, hall.id, East, BlockKind::Hall);
    CBlock* room = addNeighbor(doc, hall.id, South, BlockKind::Room);
    ASSERT_EQ(hall2->name, "I'm a hall 2");
    auto rename = [&](CBlock& b, const QString& text, bool ok = true) {
        return renameTo(
            text, [&] { return NameDialog::getBlockName(nullptr, section(), b); }, ok);
    };

    // The dialog shows the current name; confirming it unchanged keeps it.
    whenModal([](QDialog* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>()->text(), QStringLiteral("I'm a hall 2"));
        clickOk(dialog);
    });
    EXPECT_EQ(NameDialog::getBlockName(nullptr, section(), *hall2), "I'm a hall 2");
    EXPECT_EQ(rename(hall, "I'm a hall"), "I'm a hall");
    // Both hall names are taken: the room gets the first free suffix.
    EXPECT_EQ(rename(*room, "I'm a hall"), "I'm a hall 3");
    // Names compare exactly, so another case is free.
    EXPECT_EQ(rename(*room, "i'm a hall"), "i'm a hall");
    // Cancel gives nothing and the dialog changes nothing itself.
    EXPECT_EQ(rename(*room, "Kitchen", false), std::nullopt);
    EXPECT_EQ(room->name, "I'm a room");
    EXPECT_EQ(rename(*room, ""), ""); // an empty name is taken as it is
}

TEST_F(NameDialogTest, ObjectNamesAreComparedWithTheBlocksFloorOnly) {
    CBlock& hall = *section().blocks()[0];
    CBlock* other = addNeighbor(doc, hall.id, East, BlockKind::Room);
    auto& chair = hall.addFloorObject(std::make_unique<CHouseObject>());
    chair.name = "Chair";
    auto& table = hall.addFloorObject(std::make_unique<CHouseObject>());
    table.name = "Table";
    other->addFloorObject(std::make_unique<CHouseObject>()).name = "Lamp";
    chair.addChild(NestPosition::OnTop, std::make_unique<CHouseObject>()).name = "Vase";
    auto rename = [&](CHouseObject& o, const QString& text) {
        return renameTo(text, [&] { return NameDialog::getObjectName(nullptr, hall, o); });
    };

    EXPECT_EQ(rename(table, "Chair"), "Chair 2");
    EXPECT_EQ(rename(table, "Lamp"), "Lamp");
    EXPECT_EQ(rename(table, "Vase"), "Vase");
    EXPECT_EQ(rename(chair, "Chair"), "Chair");
}

TEST_F(NameDialogTest, CategoryTitlesAvoidTheReminderListAndTheOtherCategories) {
    CHouseObject object;
    ASSERT_GE(object.categories().size(), 2u);
    CFieldList* first = object.categories()[0].get();
    CFieldList* second = object.categories()[1].get();
    const std::string firstTitle = first->title.str();
    auto rename = [&](CFieldList* list, const std::string& text) {
        return renameTo(QString::fromStdString(text), [&] {
            return NameDialog::getCategoryName(nullptr, object, list,
                                               list ? list->title.str() : "Category");
        });
    };

    EXPECT_EQ(rename(second, "Reminder"), "Reminder 2");
    EXPECT_EQ(rename(second, firstTitle), firstTitle + " 2");
    EXPECT_EQ(rename(first, firstTitle), firstTitle);
    // A category not yet in the list clashes with every one that is.
    EXPECT_EQ(rename(nullptr, firstTitle), firstTitle + " 2");
}

TEST_F(NameDialogTest, ANameFromAnotherSystemKeepsItsBytesWhenLeftAlone) {
    CBlock& hall = *section().blocks()[0];
    hall.name = "Caf\xE9"; // Windows-1252, as older files hold it
    NameDialog dialog(nullptr, hall.name, [](const std::string&) { return false; });
    EXPECT_EQ(dialog.nameEdit()->text(), QStringLiteral("Caf\u00E9"));
    dialog.accept();
    EXPECT_EQ(dialog.name(), "Caf\xE9");

    NameDialog typed(nullptr, hall.name, [](const std::string&) { return false; });
    retype(typed.nameEdit(), QStringLiteral("Caf\u00E9 2"));
    typed.accept();
    EXPECT_EQ(typed.name(), "Caf\xC3\xA9 2"); // what the user types is stored as UTF-8
}
