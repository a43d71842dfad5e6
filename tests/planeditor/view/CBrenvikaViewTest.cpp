#include "PlanViewTestSupport.h"

#include <QWheelEvent>

#include <functional>

using namespace ardenvo;
using ardenvo::test::PlanViewTest;

namespace {

void turnWheel(QWidget* w, int delta, Qt::KeyboardModifiers mods) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

} // namespace

TEST_F(PlanViewTest, OneHallFitsTheWindowAtTheCappedZoom) {
    EXPECT_DOUBLE_EQ(section().zoom, 0.95);
    EXPECT_EQ(section().offsetX, 246);
    EXPECT_EQ(section().offsetY, 140);
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1}));
    // Fitting alone is no edit.
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PlanViewTest, ScrollingMarksTheHouseModifiedButZoomingDoesNot) {
    QSignalSpy modified(view.get(), &CBrenvikaView::documentModified);
    view->actualSize();
    // Ctrl with the wheel towards the user zooms in; small turns of a fine wheel add up.
    turnWheel(view.get(), -120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(section().zoom, 1.25);
    turnWheel(view.get(), 120, Qt::ControlModifier);
    turnWheel(view.get(), -60, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(section().zoom, 1.0);
    turnWheel(view.get(), -60, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(section().zoom, 1.25);
    for (int i = 0; i < 30; ++i)
        view->zoomIn();
    EXPECT_LE(section().zoom, 5 * 1.25);
    for (int i = 0; i < 30; ++i)
        view->zoomOut();
    EXPECT_GE(section().zoom, 0.5 * 0.8);
    view->fitToWindow();
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(modified.count(), 0);

    const std::int32_t x = section().offsetX;
    const std::int32_t y = section().offsetY;
    QTest::keyClick(view.get(), Qt::Key_Left);
    EXPECT_EQ(section().offsetX, x + 60);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(modified.count(), 1);
    QTest::keyClick(view.get(), Qt::Key_Down);
    EXPECT_EQ(section().offsetY, y - 60);
    turnWheel(view.get(), 120, Qt::NoModifier); // away from the user: north
    EXPECT_EQ(section().offsetY, y);
    turnWheel(view.get(), 120, Qt::ShiftModifier); // away from the user with Shift: east
    EXPECT_EQ(section().offsetX, x);

    // Ctrl+Q nudges the plan without making an edit of it.
    doc.setModified(false);
    QTest::keyClick(view.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(section().offsetX, x + 20);
    EXPECT_EQ(section().offsetY, y + 10);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PlanViewTest, EachScrollShowsWhatLiesThatWay) {
    // Showing more of the east moves the plan towards the west of the window, and so on.
    struct Way {
        std::function<void()> command;
        Qt::Key key;
        QPoint shift;
    };
    const Way ways[] = {{[&] { view->scrollEast(); }, Qt::Key_Right, {-1, 0}},
                        {[&] { view->scrollWest(); }, Qt::Key_Left, {1, 0}},
                        {[&] { view->scrollNorth(); }, Qt::Key_Up, {0, 1}},
                        {[&] { view->scrollSouth(); }, Qt::Key_Down, {0, -1}}};
    view->actualSize();
    for (const Way& way : ways) {
        const QPoint before = centreOf(1);
        way.command();
        EXPECT_EQ(centreOf(1) - before, way.shift * 60);
        QTest::keyClick(view.get(), way.key);
        EXPECT_EQ(centreOf(1) - before, way.shift * 120);
    }
}

TEST_F(PlanViewTest, ASecondClickOnAnObjectOfAnUnselectedBlockOnlySelectsTheBlock) {
    CHouseObject& object = addObject(1, {40, 40, 110, 110});
    QSignalSpy sizes(view.get(), &CBrenvikaView::sizeText);
    const QPoint onObject = screenOf(100 + 75, 100 + 75);

    click(onObject);
    EXPECT_TRUE(block(1).selected);
    EXPECT_FALSE(object.selected);
    EXPECT_EQ(view->dragMode(), 0);
    ASSERT_FALSE(sizes.isEmpty());
    EXPECT_EQ(sizes.last().at(0).toString(), QStringLiteral("Size: 150.00x150.00 centimeters"));

    click(onObject);
    EXPECT_TRUE(object.selected);
    // Picking an object up without moving it changes nothing.
    EXPECT_EQ(object.location.rect, (Rect{40, 40, 110, 110}));
    EXPECT_FALSE(doc.isModified());

    // A click outside every block clears the selection and the size text.
    click(QPoint(790, 590));
    EXPECT_FALSE(block(1).selected);
    EXPECT_TRUE(view->currentSizeText().isEmpty());
}

TEST_F(PlanViewTest, DraggingACornerInwardStopsAtTheObjectsMargin) {
    addObject(1, {10, 10, 70, 70}); // the hall may not be narrower or lower than 80
    click(centreOf(1));
    ASSERT_TRUE(block(1).selected);

    const QPoint corner = handleOf(1, 8);
    QTest::mouseMove(view.get(), corner);
    EXPECT_EQ(view->handleCode(), 8);
    EXPECT_EQ(view->cursor().shape(), Qt::SizeFDiagCursor);
    // To 50 wide (refused) and 110 high (allowed) in one move.
    drag(corner, screenOf(150, 210), 1);
    EXPECT_EQ(view->dragMode(), 0);
    EXPECT_EQ(block(1).rect().width(), 150);
    EXPECT_NEAR(block(1).rect().height(), 110, 2);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(view->currentSizeText().left(12), QStringLiteral("Size: 150.00"));

    // In small steps the edge follows as far as the margin allows, and no further.
    drag(handleOf(1, 8), screenOf(120, 130), 12);
    EXPECT_GE(block(1).rect().width(), 80);
    EXPECT_LE(block(1).rect().width(), 90);
    EXPECT_GE(block(1).rect().height(), 80);
}

TEST_F(PlanViewTest, ABlockDragMovesTheNeighboursAndEscapeTakesItAllBack) {
    CBlock* room = addNeighbor(doc, 1, East, BlockKind::Room);
    ASSERT_NE(room, nullptr);
    const Rect hallBefore = block(1).rect();
    const Rect roomBefore = room->rect();
    doc.setModified(false);
    click(centreOf(1));

    const QPoint right = handleOf(1, 5);
    QTest::mouseMove(view.get(), right);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, right);
    EXPECT_EQ(view->dragMode(), 2);
    QTest::mouseMove(view.get(), right + QPoint(60, 0));
    EXPECT_GT(block(1).rect().right, hallBefore.right);
    EXPECT_GT(room->rect().left, roomBefore.left); // the room follows the wider hall

    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(view->dragMode(), 0);
    EXPECT_EQ(block(1).rect(), hallBefore);
    EXPECT_EQ(room->rect(), roomBefore);
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, right + QPoint(60, 0));
    EXPECT_EQ(block(1).rect(), hallBefore);
    EXPECT_FALSE(doc.isModified());
}

TEST_F(PlanViewTest, AlignmentMarksRepositionTheNeighbourAndHandlesHintInTheStatusPane) {
    CBlock* room = addNeighbor(doc, 1, South, BlockKind::Room);
    view->fitToWindow();
    QSignalSpy status(view.get(), &CBrenvikaView::statusMessage);
    click(centreOf(1));
    QTest::mouseMove(view.get(), handleOf(1, 2));
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("Drag to resize the room"));
    QTest::mouseMove(view.get(), centreOf(1));
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("Ready"));
    const QPoint mark = handleOf(1, 15); // south side, Start
    QTest::mouseMove(view.get(), mark);
    EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("Click to reposition the room"));
    EXPECT_EQ(view->handleCode(), 15);
    EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, mark);
    EXPECT_EQ(block(1).alignments[South].mode, 0);
    // West edges level now.
    EXPECT_EQ(room->rect().left, block(1).rect().left);
    EXPECT_TRUE(doc.isModified());
}

TEST_F(PlanViewTest, ObjectsFollowSlowDragsAtHighZoomAndStayInsideTheBlock) {
    CHouseObject& object = addObject(1, {20, 20, 60, 60});
    view->actualSize();
    view->zoomIn();
    view->zoomIn();
    view->zoomIn(); // 1.953: a pixel is half a centimetre
    const QPoint at = screenOf(100 + 40, 100 + 40);
    click(at);
    QTest::mouseMove(view.get(), at);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(view->dragMode(), 4);
    for (int i = 1; i <= 20; ++i)
        QTest::mouseMove(view.get(), at + QPoint(i, 0));
    EXPECT_NEAR(object.location.rect.left, 30, 1);
    QTest::mouseMove(view.get(), at + QPoint(2000, 2000));
    EXPECT_EQ(object.location.rect, (Rect{100, 100, 140, 140}));
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, at + QPoint(2000, 2000));
    EXPECT_TRUE(doc.isModified());
    EXPECT_DOUBLE_EQ(section().zoom, 0.95); // the drag ends with a fit
}

TEST_F(PlanViewTest, ObjectHandlesResizeTheSelectedObject) {
    CHouseObject& object = addObject(1, {20, 20, 60, 60});
    const QPoint at = screenOf(100 + 40, 100 + 40);
    click(at);
    click(at);
    ASSERT_TRUE(object.selected);
    const ScreenTransform t = transform();
    const Rect s = objectScreenRect(t, t.toScreen(block(1).rect()), object.location.rect);
    const QPoint corner(s.right, s.bottom);
    QTest::mouseMove(view.get(), corner);
    EXPECT_EQ(view->handleCode(), -8);
    EXPECT_EQ(view->cursor().shape(), Qt::SizeFDiagCursor);
    drag(corner, screenOf(100 + 500, 100 + 90));
    EXPECT_EQ(object.location.rect.right, 140); // held 10 inside the hall
    EXPECT_NEAR(object.location.rect.bottom, 90, 2);
}

TEST_F(PlanViewTest, UnitsChangeTheSizeTextAndAreAnEdit) {
    click(centreOf(1));
    QSignalSpy sizes(view.get(), &CBrenvikaView::sizeText);
    view->setUnit(2);
    EXPECT_EQ(doc.unitIndex(), 2);
    EXPECT_TRUE(doc.isModified());
    ASSERT_EQ(sizes.count(), 1);
    EXPECT_EQ(sizes.last().at(0).toString(), QStringLiteral("Size: 59.06x59.06 inches"));
    view->setUnit(7); // not a unit
    EXPECT_EQ(doc.unitIndex(), 2);
    // A loaded house brings its own unit.
    doc.setUnitIndex(4);
    EXPECT_STREQ(view->units().name(), "yards");
}

TEST_F(PlanViewTest, DocumentNoticesRebuildTheFigures) {
    doc.notifyViews(ViewHint::AddBlockView, 1);
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1})); // no second figure
    doc.notifyViews(ViewHint::AddBlockView, 99);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0], QStringLiteral("AddViewForID: unknown ID of object 99"));

    addNeighbor(doc, 1, West, BlockKind::Hall);
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1, 2}));
    section().zoom = 3;
    doc.newHouse();
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1}));
    EXPECT_DOUBLE_EQ(section().zoom, 0.95);

    // A second section made current behind the view's back is shown, not the old figures.
    auto other = std::make_unique<CSection>();
    CSection& second = doc.appendSection(std::move(other));
    second.findBlockById(1)->setRect({0, 0, 1000, 1000});
    doc.setCurrentSection(&second);
    view->backBuffer();
    EXPECT_EQ(view->figureIds(), (std::vector<std::int32_t>{1}));
    EXPECT_LT(second.zoom, 0.95);
}

TEST_F(PlanViewTest, ADamagedSectionDrawsAndAnswersClicksWithoutHarm) {
    section().zoom = std::nan("");
    block(1).setRect({std::numeric_limits<std::int32_t>::min(), 0,
                      std::numeric_limits<std::int32_t>::max(), 10});
    addObject(1, {-50, -50, 2000000000, 5});
    view->update();
    EXPECT_FALSE(view->backBuffer().isNull());
    click(QPoint(400, 300));
    click(QPoint(400, 300));
    view->zoomIn();
    view->fitToWindow();
    EXPECT_TRUE(std::isfinite(section().zoom));
}

TEST_F(PlanViewTest, ADragWhoseReleaseWentElsewhereEndsAtTheNextMove) {
    click(centreOf(1));
    const QPoint right = handleOf(1, 5);
    QTest::mouseMove(view.get(), right);
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, right);
    ASSERT_EQ(view->dragMode(), 2);
    // Another window took the release; the next move arrives with no button held.
    const QPointF to(right + QPoint(40, 0));
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view.get(), &move);
    EXPECT_EQ(view->dragMode(), 0);
    EXPECT_GT(block(1).rect().width(), 150);
    EXPECT_TRUE(doc.isModified());
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, right + QPoint(40, 0));
}
