#include "DialogTestSupport.h"
#include "PlanViewTestSupport.h"

#include "planeditor/view/RepositionDialog.h"
#include "planeditor/view/StandardDialogHooks.h"

#include <QRadioButton>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

// The plan view with the dialogs plugged in, driven through its context menu.
class PlanDialogsTest : public PlanViewTest {
protected:
    void SetUp() override {
        PlanViewTest::SetUp();
        view->setDialogHooks(standardDialogHooks(prompter));
    }
    static QLineEdit* edit(QDialog* d, const char* name) {
        return d->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
};

} // namespace

TEST_F(PlanDialogsTest, RenameResizeAndRepositionWorkFromTheContextMenu) {
    CBlock* room = addNeighbor(doc, 1, East, BlockKind::Room);
    view->fitToWindow();
    const std::int32_t roomId = room->id;
    whenModal([](QDialog* d) {
        retype(edit(d, "nameEdit"), "I'm a hall");
        clickOk(d);
    });
    chooseFromMenu(centreOf(roomId), {"Rename"});
    EXPECT_EQ(block(roomId).name, "I'm a hall 2");

    // A 150-wide hall with an object reaching x = 140 cannot become narrower than 150.
    addObject(1, {10, 10, 140, 50});
    whenModal([this](QDialog* d) {
        retype(edit(d, "widthEdit"), "120");
        clickOk(d);
        // The refusal goes to the view's prompter, over the dialog, which stays open showing
        // the width allowed.
        EXPECT_EQ(prompter.shown.size(), 1u);
        if (!prompter.shown.empty())
            EXPECT_EQ(prompter.shown.back().parent, d);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(edit(d, "widthEdit")->text(), QStringLiteral("150.00"));
        retype(edit(d, "heightEdit"), "300");
        clickOk(d);
    });
    click(centreOf(1)); // selected, so the size text follows it
    chooseFromMenu(centreOf(1), {"Resize"});
    EXPECT_EQ(refusals(), QStringList(QStringLiteral(
                              "Because of the objects inside, the minimium width is 150.00")));
    EXPECT_EQ(block(1).rect(), (Rect{100, 100, 250, 400}));
    // The room east of the hall followed: it is placed again from the resized hall.
    EXPECT_EQ(block(roomId).rect().left, 251);
    EXPECT_EQ(view->currentSizeText(), QStringLiteral("Size: 150.00x300.00 centimeters"));

    whenModal([](QDialog* d) {
        auto* dialog = static_cast<RepositionDialog*>(d);
        QTest::mouseClick(dialog->modeButton(East, 0), Qt::LeftButton);
        retype(dialog->shiftEdit(East), "20");
        clickOk(d);
    });
    chooseFromMenu(centreOf(1), {"Reposition"});
    EXPECT_EQ(block(1).alignments[East], (SideAlignment{0, 20}));
    EXPECT_EQ(block(roomId).rect().top, block(1).rect().top - 20);
    EXPECT_TRUE(doc.isModified());
}
