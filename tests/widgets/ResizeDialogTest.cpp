#include "planeditor/view/DialogTestSupport.h"

#include "model/CBlock.h"
#include "widgets/ResizeDialog.h"

#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class ResizeDialogTest : public testing::Test {
protected:
    // A 150 x 150 hall with one object whose rectangle reaches x = 140 and y = 60.
    void SetUp() override {
        hall = CBlock::create(BlockKind::Hall, {100, 100, 250, 250});
        auto o = std::make_unique<CHouseObject>();
        o->location.rect = {10, 20, 140, 60};
        object = &hall->addFloorObject(std::move(o));
    }
    std::unique_ptr<ResizeDialog> open(int unit, bool forObject) {
        auto dialog = std::make_unique<ResizeDialog>(nullptr, UnitTable(unit), *hall,
                                                     forObject ? object : nullptr, prompter);
        dialog->show();
        return dialog;
    }
    static void enter(ResizeDialog& d, const QString& width, const QString& height) {
        retype(d.widthEdit(), width);
        retype(d.heightEdit(), height);
        clickOk(&d);
    }

    std::unique_ptr<CBlock> hall;
    CHouseObject* object = nullptr;
    ScriptedPrompter prompter;
};

} // namespace

TEST_F(ResizeDialogTest, ABlockCannotShrinkPastTheObjectsOnItsFloor) {
    auto d = open(0, false);
    enter(*d, "149", "80.5");
    EXPECT_EQ(refusals(prompter),
              QStringList{"Because of the objects inside, the minimium width is 150.00"});
    EXPECT_TRUE(d->isVisible());
    // The limit replaces the width; the height stays as entered.
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("150.00"));
    EXPECT_EQ(d->heightEdit()->text(), QStringLiteral("80.50"));

    enter(*d, "200", "69");
    EXPECT_EQ(refusals(prompter).last(),
              QStringLiteral("Because of the objects inside, the minimium height is 70.00"));
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("200.00"));
    EXPECT_EQ(d->heightEdit()->text(), QStringLiteral("70.00"));

    clickOk(d.get());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->sizeInCentimetres(), QSizeF(200, 70));
    // The dialog itself leaves the block alone; the plan applies the size.
    EXPECT_EQ(hall->rect(), (Rect{100, 100, 250, 250}));
}

TEST_F(ResizeDialogTest, AnObjectStaysTenCentimetresInsideItsBlock) {
    auto d = open(0, true);
    EXPECT_EQ(d->heightEdit()->text(), QStringLiteral("40.00"));
    enter(*d, "131", "40");
    EXPECT_EQ(refusals(prompter),
              QStringList{"Because the object is inside a room/hall, the maximum width is 130.00"});
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("130.00"));
    EXPECT_TRUE(d->isVisible());

    enter(*d, "100", "121");
    EXPECT_EQ(
        refusals(prompter).last(),
        QStringLiteral("Because the object is inside a room/hall, the maximum height is 120.00"));
    EXPECT_EQ(d->heightEdit()->text(), QStringLiteral("120.00"));

    // Nothing to see or grab is refused too.
    enter(*d, "0", "10");
    EXPECT_EQ(refusals(prompter).last(), QStringLiteral("The smallest width is 1.00"));
    enter(*d, "10", "-3");
    EXPECT_EQ(refusals(prompter).last(), QStringLiteral("The smallest height is 1.00"));
    EXPECT_EQ(d->result(), QDialog::Rejected);

    enter(*d, "130", "120");
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->sizeInCentimetres(), QSizeF(130, 120));
}

TEST_F(ResizeDialogTest, OtherUnitsShowTwoDecimalsAndConfirmingThemLosesNoCentimetre) {
    hall->setRect({100, 100, 252, 250}); // 152 cm: 59.8425 inches, shown 59.84
    auto d = open(2, false);
    EXPECT_EQ(d->widthEdit()->text(), QStringLiteral("59.84"));
    clickOk(d.get());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->sizeInCentimetres(), QSizeF(152, 150));

    // The minimum shown in inches is enough when confirmed.
    auto e = open(2, false);
    enter(*e, "50", "59.06");
    EXPECT_EQ(refusals(prompter).last(),
              QStringLiteral("Because of the objects inside, the minimium width is 59.06"));
    clickOk(e.get());
    EXPECT_EQ(e->result(), QDialog::Accepted);
    EXPECT_EQ(e->sizeInCentimetres().width(), 150);
}

TEST_F(ResizeDialogTest, TextThatIsNoNumberOrAHugeSizeIsRefusedWithTheDialogLeftOpen) {
    auto d = open(0, false);
    for (const char* bad : {"abc", "", "12cm", "1e999", "nan"}) {
        enter(*d, bad, "150");
        EXPECT_EQ(warnings(prompter).last(), QStringLiteral("Please enter a number.")) << bad;
    }
    EXPECT_TRUE(refusals(prompter).isEmpty());

    enter(*d, "150", "3000000000");
    EXPECT_EQ(refusals(prompter).last(), QStringLiteral("The largest height is 100000.00"));
    EXPECT_EQ(d->result(), QDialog::Rejected);

    // A decimal comma is read as the locale writes it.
    enter(*d, "160,5", "150");
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->sizeInCentimetres(), QSizeF(160.5, 150));
}

TEST_F(ResizeDialogTest, CancelGivesNothing) {
    whenModal([](QDialog* d) { clickCancel(d); });
    EXPECT_EQ(ResizeDialog::getObjectSize(nullptr, UnitTable(0), *hall, *object), std::nullopt);
}
