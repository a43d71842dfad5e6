#include "planeditor/view/CBrenvikaView.h"

#include "planeditor/layout/BlockLayout.h"
#include "planeditor/view/PlanAccessible.h"
#include "platform/TextCodec.h"
#include "widgets/QtPrompter.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <unordered_map>

namespace ardenvo {

namespace {

constexpr int kScrollStep = 60;
constexpr int kWheelStep = 120; // one notch of an ordinary mouse wheel

Qt::CursorShape cursorShape(HandleCursor c) {
    switch (c) {
    case HandleCursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case HandleCursor::SizeNS:
        return Qt::SizeVerCursor;
    case HandleCursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case HandleCursor::SizeWE:
        return Qt::SizeHorCursor;
    case HandleCursor::Cross:
        return Qt::CrossCursor;
    case HandleCursor::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

ScreenPoint toScreenPoint(QPoint p) {
    return {p.x(), p.y()};
}

// The topmost floor object (the last drawn) holding a point given relative to the block.
CHouseObject* floorObjectAt(const CBlock& block, ScreenPoint p) {
    const auto& objects = block.floorObjects();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        if (containsPoint((*it)->location.rect, p))
            return it->get();
    return nullptr;
}

} // namespace

CBrenvikaView::CBrenvikaView(CBrenvikaDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_units(doc.unitIndex()), m_prompter(&standardPrompter()) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    installPlanAccessibility();
    m_listenerId =
        m_doc.addViewListener([this](ViewHint hint, int blockId) { onViewHint(hint, blockId); });
    rebuildPlan();
}

CBrenvikaView::~CBrenvikaView() {
    m_doc.removeViewListener(m_listenerId);
}

UnitTable& CBrenvikaView::units() {
    m_units.setIndex(m_doc.unitIndex());
    return m_units;
}

void CBrenvikaView::setDialogHooks(PlanDialogHooks hooks) {
    m_hooks = std::move(hooks);
}

std::vector<std::int32_t> CBrenvikaView::figureIds() const {
    return m_figures;
}

// ---- document notifications -------------------------------------------------------------------

void CBrenvikaView::onViewHint(ViewHint hint, int blockId) {
    switch (hint) {
    case ViewHint::Reset:
        // New objects take random colours; a new house should not repeat the last one's.
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        m_figures.clear();
        m_figureSection = m_doc.currentSection();
        m_drag.reset();
        m_units.setIndex(m_doc.unitIndex());
        emitSizeText();
        fitToWindow();
        break;
    case ViewHint::AddBlockView:
        addFigure(blockId);
        break;
    case ViewHint::Refit:
        redraw();
        break;
    case ViewHint::Resized:
        if (CSection* section = m_doc.currentSection()) {
            section->offsetX = width() / 2;
            section->offsetY = height() / 2;
        }
        m_buffer = newBuffer();
        fitToWindow();
        break;
    }
}

void CBrenvikaView::addFigure(int blockId) {
    CSection* section = m_doc.currentSection();
    const CBlock* block = section ? section->findBlockById(blockId) : nullptr;
    if (!block) {
        inform(tr("AddViewForID: unknown ID of object %1").arg(blockId));
        return;
    }
    if (block->kind() != BlockKind::Hall && block->kind() != BlockKind::Room) {
        inform(tr("AddViewForID: unknown kind of object"));
        return;
    }
    if (m_figureSection != section) {
        m_figures.clear();
        m_figureSection = section;
    }
    // One figure per block: a second notice for the same block must not draw it twice.
    if (std::find(m_figures.begin(), m_figures.end(), blockId) == m_figures.end())
        m_figures.push_back(blockId);
    fitToWindow();
}

void CBrenvikaView::rebuildPlan() {
    onViewHint(ViewHint::Reset, 0);
    if (const CSection* section = m_doc.currentSection())
        for (const auto& block : section->blocks())
            addFigure(block->id);
    announceSelection();
}

// ---- drawing ----------------------------------------------------------------------------------

void CBrenvikaView::redraw() {
    m_dirty = true;
    update();
}

void CBrenvikaView::ensureDrawn() {
    // Drawn at the screen's own pixels, so a scaled screen shows crisp lines and text; a move to
    // a screen of another scale draws anew.
    if (m_buffer.isNull() || m_buffer.devicePixelRatio() != devicePixelRatioF()) {
        m_buffer = newBuffer();
        m_dirty = true;
    }
    // The current section changed without a rebuild (a dialog switched it): show what is there.
    if (m_figureSection != m_doc.currentSection()) {
        rebuildPlan();
    }
    if (!m_dirty)
        return;
    m_dirty = false;
    m_painter.paint(m_buffer, m_doc.currentSection(), m_figures);
}

QImage CBrenvikaView::newBuffer() const {
    const qreal ratio = devicePixelRatioF();
    QImage buffer(std::max(1, qRound(width() * ratio)), std::max(1, qRound(height() * ratio)),
                  QImage::Format_RGB32);
    buffer.setDevicePixelRatio(ratio);
    return buffer;
}

const QImage& CBrenvikaView::backBuffer() {
    ensureDrawn();
    return m_buffer;
}

void CBrenvikaView::paintEvent(QPaintEvent*) {
    ensureDrawn();
    QPainter p(this);
    p.drawImage(0, 0, m_buffer);
}

void CBrenvikaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    onViewHint(ViewHint::Resized, 0);
}

// ---- zoom and scroll --------------------------------------------------------------------------

ScreenTransform CBrenvikaView::transform() const {
    const CSection* s = m_doc.currentSection();
    return s ? ScreenTransform{s->zoom, s->offsetX, s->offsetY} : ScreenTransform{};
}

void CBrenvikaView::fitToWindow() {
    if (CSection* section = m_doc.currentSection()) {
        const ScreenTransform t = fitTransform(section->boundingBox(), width(), height());
        section->zoom = t.zoom;
        section->offsetX = t.offsetX;
        section->offsetY = t.offsetY;
    }
    redraw();
}

void CBrenvikaView::setZoom(double zoom) {
    CSection* section = m_doc.currentSection();
    if (!section)
        return;
    const ScreenTransform t = zoomAroundCentre(transform(), zoom, width(), height());
    section->zoom = t.zoom;
    section->offsetX = t.offsetX;
    section->offsetY = t.offsetY;
    redraw();
}

void CBrenvikaView::zoomIn() {
    const double z = transform().usableZoom();
    if (z <= 5)
        setZoom(z * 1.25);
}

void CBrenvikaView::zoomOut() {
    const double z = transform().usableZoom();
    if (z >= 0.5)
        setZoom(z * 0.8);
}

void CBrenvikaView::actualSize() {
    setZoom(1.0);
}

void CBrenvikaView::scrollBy(int dx, int dy) {
    CSection* section = m_doc.currentSection();
    if (!section)
        return;
    section->offsetX = addOffset(section->offsetX, dx);
    section->offsetY = addOffset(section->offsetY, dy);
    // The offsets are saved with the house, so scrolling is an edit.
    markModified();
    redraw();
}

void CBrenvikaView::scrollEast() {
    scrollBy(-kScrollStep, 0);
}
void CBrenvikaView::scrollWest() {
    scrollBy(kScrollStep, 0);
}
void CBrenvikaView::scrollNorth() {
    scrollBy(0, kScrollStep);
}
void CBrenvikaView::scrollSouth() {
    scrollBy(0, -kScrollStep);
}

void CBrenvikaView::setUnit(int index) {
    if (index < 0 || index >= UnitTable::kCount)
        return;
    emit editBegins();
    m_doc.setUnitIndex(index);
    m_units.setIndex(index);
    markModified();
    emitSizeText();
    emit editEnds(tr("Units of measurement"));
}

void CBrenvikaView::markModified() {
    m_doc.setModified(true);
    emit documentModified();
}

QString CBrenvikaView::currentSizeText() const {
    const CBlock* block = selectedBlock();
    if (!block)
        return {};
    const UnitTable units(m_doc.unitIndex());
    const Size size = sizeOf(block->rect());
    const QLocale locale;
    //: The selected block's width and height and the unit's name, in the status bar
    return tr("Size: %1x%2 %3")
        .arg(locale.toString(size.width / units.factor(), 'f', 2),
             locale.toString(size.height / units.factor(), 'f', 2),
             QCoreApplication::translate("ardenvo::UnitTable", units.name()));
}

void CBrenvikaView::emitSizeText() {
    emit sizeText(currentSizeText());
}

// ---- selection and handles --------------------------------------------------------------------

CBlock* CBrenvikaView::selectedBlock() const {
    const CSection* section = m_doc.currentSection();
    if (!section)
        return nullptr;
    std::vector<CBlock*> marked;
    for (const auto& b : section->blocks())
        if (b->selected)
            marked.push_back(b.get());
    for (std::int32_t id : m_figures)
        for (CBlock* b : marked)
            if (b->id == id)
                return b;
    return nullptr;
}

CBlock* CBrenvikaView::blockAt(QPoint screen) const {
    const CSection* section = m_doc.currentSection();
    if (!section)
        return nullptr;
    const ScreenTransform t = transform();
    const ScreenPoint p = toScreenPoint(screen);
    std::unordered_map<std::int32_t, CBlock*> byId;
    for (const auto& b : section->blocks())
        byId.emplace(b->id, b.get());
    // Figures are drawn in list order, so the last one holding the point is the one on top: the
    // block the user sees is the one a click takes.
    for (auto id = m_figures.rbegin(); id != m_figures.rend(); ++id) {
        auto it = byId.find(*id);
        if (it != byId.end() && containsPoint(t.toScreen(it->second->rect()), p))
            return it->second;
    }
    return nullptr;
}

void CBrenvikaView::updateHandle(QPoint screen) {
    if (!m_drag.hover(selectedBlock(), transform(), toScreenPoint(screen)))
        return;
    setCursor(cursorShape(handleCursor(m_drag.handle())));
    emit statusMessage(
        QCoreApplication::translate("ardenvo::PlanGeometry", handleStatusText(m_drag.handle())));
}

void CBrenvikaView::beginClick(QPoint screen) {
    CSection* section = m_doc.currentSection();
    if (!section)
        return;
    if (CBlock* previous = selectedBlock())
        previous->markAllFloorObjects(0);
    CBlock* hit = blockAt(screen);
    const bool wasSelected = hit && hit->selected;
    section->markAllBlocks(0);
    if (hit) {
        hit->selected = 1;
        hit->markAllFloorObjects(0);
        const Rect s = transform().toScreen(hit->rect());
        const ScreenPoint inBlock = pointInBlock(transform(), s, toScreenPoint(screen));
        CHouseObject* object = floorObjectAt(*hit, inBlock);
        // The first click selects the block; only a second one picks up one of its objects.
        if (object && wasSelected) {
            object->selected = 1;
            m_drag.beginMove(*hit, *object, toScreenPoint(screen));
        }
    }
    emitSizeText();
    redraw();
    announceSelection();
}

void CBrenvikaView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_drag.active()) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    updateHandle(pos);
    if (!m_drag.pressHandle(selectedBlock(), toScreenPoint(pos)))
        beginClick(pos);
    // A drag is one edit from press to release.
    if (m_drag.active())
        emit editBegins();
}

void CBrenvikaView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!m_drag.active())
        updateHandle(pos);
    else if (!(event->buttons() & Qt::LeftButton))
        endDrag(pos); // the release went elsewhere (a window grabbed the mouse): finish here
    else
        dragTo(pos);
}

void CBrenvikaView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_drag.active())
        endDrag(pos);
    else if (event->button() == Qt::RightButton && !m_drag.active())
        showContextMenu(pos);
    else
        QWidget::mouseReleaseEvent(event);
}

// ---- drags ------------------------------------------------------------------------------------

void CBrenvikaView::dragTo(QPoint screen) {
    switch (m_drag.moveTo(m_doc.currentSection(), transform(), toScreenPoint(screen))) {
    case PlanDrag::Step::BlockChanged:
        emitSizeText();
        redraw();
        break;
    case PlanDrag::Step::Redraw:
        redraw();
        break;
    case PlanDrag::Step::Lost:
        emit editEnds(QCoreApplication::translate("ardenvo::PlanDrag", m_drag.name()));
        break;
    case PlanDrag::Step::None:
        break;
    }
}

void CBrenvikaView::endDrag(QPoint screen) {
    const bool dragging = m_drag.active();
    const PlanDrag::Release release =
        m_drag.release(m_doc.currentSection(), transform(), toScreenPoint(screen));
    if (release.step == PlanDrag::Step::BlockChanged)
        emitSizeText();
    // A click that moved nothing is no edit: no "save changes?" for it, and the zoom stays.
    if (release.changed) {
        markModified();
        fitToWindow();
    }
    emitSizeText();
    redraw();
    updateHandle(screen);
    if (dragging)
        emit editEnds(QCoreApplication::translate("ardenvo::PlanDrag", m_drag.name()));
}

void CBrenvikaView::cancelBlockDrag() {
    m_drag.cancel(m_doc.currentSection());
    emitSizeText();
    fitToWindow();
    emit editEnds(QCoreApplication::translate("ardenvo::PlanDrag", "Resize"));
}

// ---- wheel ------------------------------------------------------------------------------------

void CBrenvikaView::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    // Fine-grained wheels send small turns; one step per notch's worth keeps their speed sane.
    m_wheelDelta += delta;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    while (std::abs(m_wheelDelta) >= kWheelStep) {
        const bool away = m_wheelDelta > 0; // wheel up
        m_wheelDelta += away ? -kWheelStep : kWheelStep;
        if (ctrl)
            away ? zoomOut() : zoomIn();
        else if (shift)
            away ? scrollEast() : scrollWest();
        else
            away ? scrollNorth() : scrollSouth();
    }
    event->accept();
}

} // namespace ardenvo
