#include "DialogTestSupport.h"

#include "model/CSection.h"
#include "planeditor/layout/BlockLayout.h"
#include "planeditor/view/NameDialog.h"

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

    // The dialog shows the current name; confirming it unchanged keeps it.
    whenModal([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Name"));
        EXPECT_EQ(dialog->findChild<QLineEdit*>()->text(), QStringLiteral("I'm a hall 2"));
        clickOk(dialog);
    });
    EXPECT_EQ(NameDialog::getBlockName(nullptr, section(), *hall2), "I'm a hall 2");
    EXPECT_EQ(
        renameTo("I'm a hall", [&] { return NameDialog::getBlockName(nullptr, section(), hall); }),
        "I'm a hall");

    // Both hall names are taken: the room gets the first free suffix.
    EXPECT_EQ(
        renameTo("I'm a hall", [&] { return NameDialog::getBlockName(nullptr, section(), *room); }),
        "I'm a hall 3");
    // Names compare exactly, so another case is free.
    EXPECT_EQ(
        renameTo("i'm a hall", [&] { return NameDialog::getBlockName(nullptr, section(), *room); }),
        "i'm a hall");
    // Cancel gives nothing and the dialog changes nothing itself.
    EXPECT_EQ(
        renameTo(
            "Kitchen", [&] { return NameDialog::getBlockName(nullptr, section(), *room); }, false),
        std::nullopt);
    EXPECT_EQ(room->name, "I'm a room");
    // An empty name is accepted as it is.
    EXPECT_EQ(renameTo("", [&] { return NameDialog::getBlockName(nullptr, section(), *room); }),
              "");
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

    EXPECT_EQ(renameTo("Chair", [&] { return NameDialog::getObjectName(nullptr, hall, table); }),
              "Chair 2");
    EXPECT_EQ(renameTo("Lamp", [&] { return NameDialog::getObjectName(nullptr, hall, table); }),
              "Lamp");
    EXPECT_EQ(renameTo("Vase", [&] { return NameDialog::getObjectName(nullptr, hall, table); }),
              "Vase");
    EXPECT_EQ(renameTo("Chair", [&] { return NameDialog::getObjectName(nullptr, hall, chair); }),
              "Chair");
}

TEST_F(NameDialogTest, CategoryTitlesAvoidTheReminderListAndTheOtherCategories) {
    CHouseObject object;
    const auto& categories = object.categories();
    ASSERT_GE(categories.size(), 2u);
    CFieldList& first = *categories[0];
    CFieldList& second = *categories[1];
    const std::string firstTitle = first.title;

    EXPECT_EQ(renameTo("Reminder",
                       [&] {
                           return NameDialog::getCategoryName(nullptr, object, &second,
                                                              second.title);
                       }),
              "Reminder 2");
    EXPECT_EQ(renameTo(QString::fromStdString(firstTitle),
                       [&] {
                           return NameDialog::getCategoryName(nullptr, object, &second,
                                                              second.title);
                       }),
              firstTitle + " 2");
    EXPECT_EQ(
        renameTo(QString::fromStdString(firstTitle),
                 [&] { return NameDialog::getCategoryName(nullptr, object, &first, first.title); }),
        firstTitle);
    // A category not yet in the list clashes with every one that is.
    EXPECT_EQ(
        renameTo(QString::fromStdString(firstTitle),
                 [&] { return NameDialog::getCategoryName(nullptr, object, nullptr, "Category"); }),
        firstTitle + " 2");
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
