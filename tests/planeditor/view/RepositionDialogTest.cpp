#include "DialogTestSupport.h"

#include "model/CBlock.h"
#include "planeditor/view/AlignmentPictures.h"
#include "planeditor/view/RepositionDialog.h"

#include <QRadioButton>
#include <gtest/gtest.h>

using namespace ardenvo;
using namespace ardenvo::test;

namespace {

class RepositionDialogTest : public testing::Test {
protected:
    void SetUp() override {
        block = CBlock::create(BlockKind::Room);
        block->alignments[North] = {0, 25};
        block->alignments[East] = {2, -40};
        block->changed = 0;
    }
    std::unique_ptr<RepositionDialog> open() {
        auto d = std::make_unique<RepositionDialog>(nullptr, *block, prompter);
        d->show();
        return d;
    }
    std::unique_ptr<CBlock> block;
    ScriptedPrompter prompter;
};

} // namespace

TEST_F(RepositionDialogTest, ShowsTheRecordsAndWritesTheTickedModesAndShiftsOnOk) {
    auto d = open();
    EXPECT_TRUE(d->modeButton(North, 0)->isChecked());
    EXPECT_TRUE(d->modeButton(East, 2)->isChecked());
    EXPECT_TRUE(d->modeButton(South, 1)->isChecked());
    EXPECT_EQ(d->shiftEdit(North)->text(), QStringLiteral("25"));
    EXPECT_EQ(d->shiftEdit(East)->text(), QStringLiteral("-40"));

    // Compass layout: North above West and East, South below.
    auto* north = d->findChild<QWidget*>("north");
    auto* south = d->findChild<QWidget*>("south");
    auto* west = d->findChild<QWidget*>("west");
    auto* east = d->findChild<QWidget*>("east");
    EXPECT_LT(north->geometry().bottom(), west->geometry().top());
    EXPECT_LT(west->geometry().right(), east->geometry().left());
    EXPECT_LT(east->geometry().bottom(), south->geometry().top());

    QTest::mouseClick(d->modeButton(South, 2), Qt::LeftButton);
    QTest::mouseClick(d->modeButton(North, 1), Qt::LeftButton);
    retype(d->shiftEdit(West), "-1000");
    retype(d->shiftEdit(North), "1000");
    clickOk(d.get());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(block->alignments[North], (SideAlignment{1, 1000}));
    EXPECT_EQ(block->alignments[East], (SideAlignment{2, -40}));
    EXPECT_EQ(block->alignments[South], (SideAlignment{2, 0}));
    EXPECT_EQ(block->alignments[West], (SideAlignment{1, -1000}));
    EXPECT_EQ(block->changed, 1);
}

TEST_F(RepositionDialogTest, AShiftOutsideTheRangeOrNoIntegerIsRefusedAndChangesNothing) {
    const auto before = block->alignments;
    auto d = open();
    QTest::mouseClick(d->modeButton(West, 0), Qt::LeftButton);
    retype(d->shiftEdit(South), "1001");
    clickOk(d.get());
    retype(d->shiftEdit(South), "-99999999999999999999");
    clickOk(d.get());
    EXPECT_EQ(warnings(prompter),
              QStringList(2, "Please enter an integer between -1000 and 1000."));
    for (const char* bad : {"1.5", "ten", "", "--3"}) {
        retype(d->shiftEdit(South), bad);
        clickOk(d.get());
        EXPECT_EQ(warnings(prompter).last(), QStringLiteral("Please enter an integer.")) << bad;
    }
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(block->alignments, before);
    EXPECT_EQ(block->changed, 0);

    retype(d->shiftEdit(South), " +7 ");
    clickOk(d.get());
    EXPECT_EQ(block->alignments[South], (SideAlignment{1, 7}));
    EXPECT_EQ(block->alignments[West], (SideAlignment{0, 0}));
}

TEST_F(RepositionDialogTest, AnUnknownModeFromAFileIsKeptAndCancelChangesNothing) {
    block->alignments[West] = {7, 3};
    auto d = open();
    for (int mode = 0; mode < 3; ++mode)
        EXPECT_FALSE(d->modeButton(West, mode)->isChecked());
    clickOk(d.get());
    EXPECT_EQ(block->alignments[West], (SideAlignment{7, 3}));

    whenModal([](QDialog* dialog) { clickCancel(dialog); });
    block->alignments[West] = {1, 0};
    EXPECT_FALSE(RepositionDialog::reposition(nullptr, *block));
}

TEST(AlignmentPictures, EachPictureLinesTheBlockUpWithItsNeighbourAsTheModeSays) {
    const int size = 40;
    for (int side = North; side <= West; ++side) {
        for (int mode = 0; mode < 3; ++mode) {
            SCOPED_TRACE(testing::Message() << "side " << side << " mode " << mode);
            const AlignmentSketch s = alignmentSketch(side, mode, size);
            EXPECT_FALSE(s.neighbour.intersects(s.block));
            const QRect frame(0, 0, size, size);
            EXPECT_TRUE(frame.contains(s.neighbour) && frame.contains(s.block));
            const bool alongX = side == North || side == South;
            // The neighbour lies on the named side of the block.
            if (side == North)
                EXPECT_LT(s.neighbour.bottom(), s.block.top());
            if (side == South)
                EXPECT_GT(s.neighbour.top(), s.block.bottom());
            if (side == West)
                EXPECT_LT(s.neighbour.right(), s.block.left());
            if (side == East)
                EXPECT_GT(s.neighbour.left(), s.block.right());
            // Start: west/north edges level; Center: centres level; End: east/south edges level.
            const int nStart = alongX ? s.neighbour.left() : s.neighbour.top();
            const int nEnd = alongX ? s.neighbour.right() : s.neighbour.bottom();
            const int bStart = alongX ? s.block.left() : s.block.top();
            const int bEnd = alongX ? s.block.right() : s.block.bottom();
            const int marker = alongX ? s.marker.x1() : s.marker.y1();
            EXPECT_EQ(alongX ? s.marker.x1() : s.marker.y1(),
                      alongX ? s.marker.x2() : s.marker.y2());
            if (mode == 0) {
                EXPECT_EQ(bStart, nStart);
                EXPECT_EQ(marker, bStart);
            } else if (mode == 2) {
                EXPECT_EQ(bEnd, nEnd);
                EXPECT_EQ(marker, bEnd);
            } else {
                EXPECT_LE(std::abs((bStart + bEnd) - (nStart + nEnd)), 1);
                EXPECT_LE(std::abs(2 * marker - (bStart + bEnd)), 2);
            }
            const QImage picture = alignmentPicture(side, mode, size);
            EXPECT_EQ(picture.size(), QSize(size, size));
            EXPECT_NE(picture.pixelColor(s.block.center()).alpha(), 0);
            EXPECT_EQ(picture.pixelColor(0, size - 1).alpha(), 0);
        }
    }
    // The twelve pictures differ from one another.
    QList<QImage> seen;
    for (int side = North; side <= West; ++side)
        for (int mode = 0; mode < 3; ++mode) {
            const QImage picture = alignmentPicture(side, mode);
            EXPECT_FALSE(seen.contains(picture));
            seen << picture;
        }
}
