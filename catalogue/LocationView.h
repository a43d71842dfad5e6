#pragma once

#include "catalogue/LocationPreview.h"

#include <QGroupBox>
#include <QWidget>

class QSlider;

namespace ardenvo {

// The preview area: paints a LocationPreview and reports clicks and left-button drags in it. To a
// screen reader it is a list of the floor objects, which names the object its dialog selected.
class LocationView : public QWidget {
    Q_OBJECT
public:
    explicit LocationView(QWidget* parent = nullptr, QSize area = QSize(320, 220));

    LocationPreview& preview() { return m_preview; }
    // Lays the preview out for `block` (null: an empty area) and repaints.
    void setBlock(CBlock* block);
    // Draws the block again after its objects changed (at the next paint).
    void redraw();
    // The buttons that act in the preview (left and right unless told otherwise); a press of any
    // other button takes nothing and leaves the floor list as it is.
    void setActingButtons(Qt::MouseButtons buttons) { m_buttons = buttons; }

    // The object the dialog has selected (on the floor or nested, or null), which the screen
    // reader is told about. Null unless it is one of the shown block's objects, so a deleted or
    // moved-away object is never read.
    void setSelectedObject(const CHouseObject* object);
    const CHouseObject* selectedObject() const;
    // What a screen reader reads: the selected object, or that there is none.
    QString selectionText() const;

signals:
    // A button pressed inside the preview rectangle; `hit` is the floor object taken (now the last
    // of the floor list), or null.
    void objectPressed(CHouseObject* hit, Qt::MouseButton button, const QPoint& globalPos);
    // The pointer moved with the left button held inside the preview rectangle: the point in the
    // block's own centimetres.
    void dragged(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void selectionChanged();

    LocationPreview m_preview;
    const CHouseObject* m_selected = nullptr;
    bool m_stale = false;
    Qt::MouseButtons m_buttons = Qt::LeftButton | Qt::RightButton;
};

// "Object location": the preview with a horizontal slider above it and a vertical one to its
// left, which move the slider object (the object selected in the tree) inside its block.
class LocationGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit LocationGroup(QWidget* parent = nullptr);

    LocationView* view() const { return m_view; }
    QSlider* horizontalSlider() const { return m_horizontal; }
    QSlider* verticalSlider() const { return m_vertical; }
    CHouseObject* sliderObject() const { return m_object; }

    // A new block: the preview is laid out again and the sliders span the preview.
    void setBlock(CBlock* block);
    // The sliders take the object's range and centre; null leaves them as they are.
    void setUpSliders(CHouseObject* object);

signals:
    void objectMoved();

private:
    void sliderMoved(Qt::Orientation which);
    void dragTo(int x, int y);

    LocationView* m_view = nullptr;
    QSlider* m_horizontal = nullptr;
    QSlider* m_vertical = nullptr;
    CHouseObject* m_object = nullptr;
    bool m_settingUp = false;
};

} // namespace ardenvo
