#pragma once

#include "model/CBrenvikaDoc.h"
#include "planeditor/layout/PlanDrag.h"
#include "planeditor/layout/UnitTable.h"
#include "planeditor/view/PlanDialogHooks.h"
#include "widgets/PlanPainter.h"
#include "widgets/Prompter.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QMenu;

namespace ardenvo {

// The plan view: draws the current section of the house and edits it with the mouse, the keys
// and a context menu. All drawing goes into a back buffer that paintEvent only copies.
class CBrenvikaView : public QWidget {
    Q_OBJECT
public:
    // Subscribes to the document's view hints and builds the figures of the current section.
    explicit CBrenvikaView(CBrenvikaDoc& doc, QWidget* parent = nullptr);
    ~CBrenvikaView() override;
    CBrenvikaView(const CBrenvikaView&) = delete;
    CBrenvikaView& operator=(const CBrenvikaView&) = delete;

    // The document's unit table; its index mirrors doc.unitIndex().
    UnitTable& units();

    // Dialogs of the context menu; an entry stays disabled while its hook is empty.
    void setDialogHooks(PlanDialogHooks hooks);
    const PlanDialogHooks& dialogHooks() const { return m_hooks; }
    // Where the view's messages and colour choices go (the standard prompter until set); it must
    // outlive the view.
    void setPrompter(Prompter& prompter) { m_prompter = &prompter; }

    // Drops the figures and rebuilds them for the document's current section (after the Sections
    // dialog changed the active section, or after the house was replaced).
    void rebuildPlan();

    // What the view shows (drawn first if a change is pending), for the frame and for tests.
    const QImage& backBuffer();
    // Ids of the blocks that have a figure, in drawing order.
    std::vector<std::int32_t> figureIds() const;
    // 0 none, 2 block drag, 3 object resize, 4 object move.
    int dragMode() const { return static_cast<int>(m_drag.mode()); }
    // The handle under the pointer: 1-20 of the selected block, -1 to -8 of its selected object.
    int handleCode() const { return m_drag.handle(); }
    // "Size: 150.00x150.00 centimeters" for the selected block; empty with no selection.
    QString currentSizeText() const;

    // The name of the section shown, as the user reads it.
    QString sectionName() const;
    // The block of a figure of the section shown; null when no figure has that id.
    CBlock* figureBlock(std::int32_t id) const;
    // Where that figure shows, in the view's coordinates; empty when there is none.
    QRect figureRect(std::int32_t id) const;
    // The selected block's id; 0 with none.
    std::int32_t selectedBlockId() const;
    // Selects the block of a figure as a first click on it does (0 clears the selection).
    void selectBlock(std::int32_t id);
    // The context menu of the selected block, at its centre; nothing without a selection.
    void showSelectionMenu();

public slots:
    void zoomIn();
    void zoomOut();
    void actualSize();
    void fitToWindow();
    // Each shows 60 more units of what lies that way. A point shows at zoom * (x + offsetX), and
    // east is +x, north -y: to see further east the offset goes down.
    void scrollEast();  // offsetX -= 60
    void scrollWest();  // offsetX += 60
    void scrollNorth(); // offsetY += 60
    void scrollSouth(); // offsetY -= 60
    // Options > units menu: sets the document's unit, marks it modified, updates the size text.
    void setUnit(int index);

signals:
    void statusMessage(const QString& text); // handle hints for the first status pane
    void sizeText(const QString& text);      // "Size: %.2fx%.2f <unit name>" for the size pane
    void documentModified();
    // An edit of the house begins, and ends under a name for undo ("Delete"); every edit that
    // begins also ends.
    void editBegins();
    void editEnds(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Command {
        AddHall,
        AddRoom,
        Rename,
        Resize,
        Reposition,
        ChangeColor,
        ObjectsInside,
        Delete
    };

    void onViewHint(ViewHint hint, int blockId);
    void addFigure(int blockId);
    // Marks the picture stale and asks for a paint; the drawing itself waits for the paint, so
    // a burst of changes (a file of many blocks) costs one drawing.
    void redraw();
    void ensureDrawn();
    void markModified();
    void emitSizeText();
    void setZoom(double zoom);
    void scrollBy(int dx, int dy);

    ScreenTransform transform() const;
    CBlock* selectedBlock() const;
    CBlock* blockAt(QPoint screen) const;
    void updateHandle(QPoint screen);
    void beginClick(QPoint screen);
    void dragTo(QPoint screen);
    void endDrag(QPoint screen);
    void cancelBlockDrag();
    // Tells a screen reader when the selection has moved on since it was last told.
    void announceSelection();

    void showContextMenu(QPoint screen);
    QMenu* buildContextMenu(const CBlock& block);
    void runCommand(Command command, std::int32_t blockId, int side);
    void runBlockCommand(Command command, CSection& section, CBlock& block, int side);
    void runObjectCommand(Command command, CBlock& block, CHouseObject& object);
    static QString commandName(Command command, const CBlock& block);
    void refuse(const QString& text);
    void inform(const QString& text);

    CBrenvikaDoc& m_doc;
    int m_listenerId = 0;
    UnitTable m_units;
    PlanDialogHooks m_hooks;
    Prompter* m_prompter;

    PlanPainter m_painter;
    // The back buffer in the screen's pixels, drawn in the widget's.
    QImage newBuffer() const;
    QImage m_buffer;
    bool m_dirty = true;
    std::vector<std::int32_t> m_figures;       // block ids in the order their figures were added
    const CSection* m_figureSection = nullptr; // the section the figures were made for

    PlanDrag m_drag;
    int m_wheelDelta = 0;         // wheel turns not yet worth a whole step
    std::int32_t m_announced = 0; // the selection a screen reader was last told of
};

} // namespace ardenvo
