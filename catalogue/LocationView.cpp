#include "catalogue/LocationView.h"

#include "planeditor/layout/PlanGeometry.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>

#include <cmath>

namespace ardenvo {

void installLocationViewAccessibility();

LocationView::LocationView(QWidget* parent, QSize area) : QWidget(parent) {
    installLocationViewAccessibility();
    setFixedSize(area);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Location preview"));
}

void LocationView::setBlock(CBlock* block) {
    const bool hadSelection = selectedObject() != nullptr;
    m_selected = nullptr;
    m_preview.layout(block, rect(), devicePixelRatioF());
    if (hadSelection)
        selectionChanged();
    m_stale = true;
    update();
}

void LocationView::redraw() {
    // Drawn at the next paint: several changes in one step cost one drawing.
    m_stale = true;
    update();
}

void LocationView::paintEvent(QPaintEvent*) {
    // Moved to a screen of another scale: drawn anew at its pixels.
    if (m_preview.bitmap().devicePixelRatio() != devicePixelRatioF()) {
        m_preview.layout(m_preview.block(), rect(), devicePixelRatioF());
        m_stale = true;
    }
    if (m_stale) {
        m_preview.render();
        m_stale = false;
    }
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    if (m_preview.block())
        p.drawImage(m_preview.previewRect().topLeft(), m_preview.bitmap());
}

void LocationView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QRect& r = m_preview.previewRect();
    if (!m_preview.block() || !r.contains(pos) || !(m_buttons & event->button()))
        return QWidget::mousePressEvent(event);
    CHouseObject* hit = m_preview.hitTest(pos.x() - r.left(), pos.y() - r.top());
    if (hit)
        redraw();
    emit objectPressed(hit, event->button(), event->globalPosition().toPoint());
}

void LocationView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QRect& r = m_preview.previewRect();
    if (!(event->buttons() & Qt::LeftButton) || !m_preview.block() || !r.contains(pos))
        return QWidget::mouseMoveEvent(event);
    const double u = m_preview.scale();
    emit dragged(static_cast<int>(std::trunc((pos.x() - r.left()) / u)),
                 static_cast<int>(std::trunc((pos.y() - r.top()) / u)));
}

LocationGroup::LocationGroup(QWidget* parent)
    : QGroupBox(tr("Object location"), parent) {
    m_horizontal = new QSlider(Qt::Horizontal, this);
    m_vertical = new QSlider(Qt::Vertical, this);
    // Top to bottom, as y grows to the south.
    m_vertical->setInvertedAppearance(true);
    m_vertical->setInvertedControls(true);
    m_horizontal->setAccessibleName(tr("West to east"));
    m_vertical->setAccessibleName(tr("North to south"));
    m_view = new LocationView(this);

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(16, 16));
    icon->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->addWidget(icon, 0, 0);
    grid->addWidget(m_horizontal, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_vertical, 1, 0, Qt::AlignTop);
    grid->addWidget(m_view, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);

    connect(m_horizontal, &QSlider::valueChanged, this, [this] { sliderMoved(Qt::Horizontal); });
    connect(m_vertical, &QSlider::valueChanged, this, [this] { sliderMoved(Qt::Vertical); });
    connect(m_view, &LocationView::dragged, this, &LocationGroup::dragTo);
}

void LocationGroup::setBlock(CBlock* block) {
    m_object = nullptr;
    m_view->setBlock(block);
    const QRect& p = m_view->preview().previewRect();
    m_settingUp = true;
    m_horizontal->setFixedWidth(p.width());
    m_vertical->setFixedHeight(p.height());
    m_horizontal->setRange(0, p.width());
    m_vertical->setRange(0, p.height());
    m_horizontal->setEnabled(true);
    m_vertical->setEnabled(true);
    m_settingUp = false;
}

void LocationGroup::setUpSliders(CHouseObject* object) {
    // With none the sliders stay as they are but move nothing (the object may be gone).
    CBlock* block = m_view->preview().block();
    m_object = block ? object : nullptr;
    if (!m_object)
        return;
    const SliderSetup s = slidersFor(object->location.rect, sizeOf(block->rect()));
    m_settingUp = true;
    const auto apply = [](QSlider* slider, SliderRange range, int centre) {
        // An object too large to move along an axis keeps its place there.
        slider->setEnabled(range.usable());
        if (range.usable())
            slider->setRange(range.minimum, range.maximum);
        else
            slider->setRange(centre, centre);
        slider->setValue(centre);
    };
    apply(m_horizontal, s.horizontal, s.centreX);
    apply(m_vertical, s.vertical, s.centreY);
    m_settingUp = false;
}

void LocationGroup::sliderMoved(Qt::Orientation which) {
    if (m_settingUp || !m_object)
        return;
    QSlider* slider = which == Qt::Horizontal ? m_horizontal : m_vertical;
    if (!slider->isEnabled())
        return;
    Rect& r = m_object->location.rect;
    r = which == Qt::Horizontal ? movedHorizontally(r, slider->value())
                                : movedVertically(r, slider->value());
    m_view->redraw();
    emit objectMoved();
}

void LocationGroup::dragTo(int x, int y) {
    if (!m_object)
        return;
    // Each slider clamps the point to its range; its valueChanged then moves the object.
    if (m_horizontal->isEnabled())
        m_horizontal->setValue(x);
    if (m_vertical->isEnabled())
        m_vertical->setValue(y);
}

} // namespace ardenvo
