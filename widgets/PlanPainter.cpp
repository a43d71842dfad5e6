#include "widgets/PlanPainter.h"

#include "platform/TextCodec.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <unordered_map>

namespace ardenvo {

namespace {

// How far a centred name may reach beyond its figure and still be drawn.
constexpr int kTextReachX = 600;
constexpr int kTextReachY = 40;
// Laid-out texts kept between frames; past this the cache starts over.
constexpr std::size_t kMaxCachedTexts = 50000;

const char* const kHint = QT_TRANSLATE_NOOP("ardenvo::PlanPainter", "(Right)Click me!");

// A word of the plan in the user's language, as stored bytes.
std::string translated(const char* text) {
    return storedText(QCoreApplication::translate("ardenvo::PlanPainter", text));
}

QColor toQColor(ColorRef c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

QRect toQRect(const Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)).normalized();
}

void invertSquare(QPainter& p, ScreenPoint c, int s) {
    p.fillRect(QRect(c.x - s, c.y - s, 2 * s, 2 * s), Qt::white);
}

// The image's area in the pixels drawn in, which on a scaled screen are larger than its own.
QRect drawnArea(const QImage& image) {
    return QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
}

bool reachesInto(const QRect& visible, const Rect& r) {
    return r.right >= visible.left() && r.left <= visible.right() && r.bottom >= visible.top() &&
           r.top <= visible.bottom();
}

} // namespace

ColorRef hintColor(ColorRef c) {
    // Subtracting 0x202020 from the colour as one number borrows between channels whenever one
    // is below 32; per channel with a floor of 0 gives the same result otherwise.
    return rgb(std::max(0, redOf(c) - 32), std::max(0, greenOf(c) - 32),
               std::max(0, blueOf(c) - 32));
}

ColorRef objectNameColor(ColorRef c) {
    return rgb(redOf(c) < 196 ? 255 : 0, greenOf(c) < 196 ? 255 : 0, blueOf(c) < 196 ? 255 : 0);
}

PlanPainter::PlanPainter()
    : m_sectionLabel(translated(QT_TRANSLATE_NOOP("ardenvo::PlanPainter", "Section:"))),
      m_hint(translated(kHint)) {
    m_font = QGuiApplication::font();
    m_font.setPixelSize(13);
    m_lineHeight = 16;
}

const PlanPainter::Text& PlanPainter::text(const std::string& bytes) {
    auto it = m_texts.find(bytes);
    if (it != m_texts.end())
        return it->second;
    if (m_texts.size() >= kMaxCachedTexts)
        m_texts.clear();
    Text t;
    t.text.setText(displayText(bytes));
    t.text.setTextFormat(Qt::PlainText);
    t.text.setPerformanceHint(QStaticText::AggressiveCaching);
    t.text.prepare(QTransform(), m_font);
    t.width = static_cast<int>(t.text.size().width());
    return m_texts.emplace(bytes, std::move(t)).first->second;
}

void PlanPainter::drawCentred(QPainter& p, int x, int y, const std::string& bytes) {
    const Text& t = text(bytes);
    int left = x - t.width / 2;
    if (!m_keepTextsIn.isNull()) {
        // A name that would stick out of a preview's edge is moved in instead of cut off; one
        // wider than the preview starts at its left edge.
        left = std::max(m_keepTextsIn.left(), std::min(left, m_keepTextsIn.right() + 1 - t.width));
        y = std::max(m_keepTextsIn.top(), std::min(y, m_keepTextsIn.bottom() + 1 - m_lineHeight));
    }
    p.drawStaticText(left, y, t.text);
}

void PlanPainter::paint(QImage& buffer, const CSection* section,
                        const std::vector<std::int32_t>& figureIds) {
    if (buffer.isNull())
        return;
    buffer.fill(toQColor(section ? section->background : kDefaultSectionBackground));
    if (!section)
        return;

    QPainter p(&buffer);
    p.setFont(m_font);
    m_visible = drawnArea(buffer).adjusted(-kTextReachX, -kTextReachY, kTextReachX, kTextReachY);
    m_keepTextsIn = QRect(); // the plan scrolls: a name past the window's edge is meant to be
    const ScreenTransform t{section->zoom, section->offsetX, section->offsetY};

    // Figures refer to blocks by id, so a block removed behind the view's back is skipped rather
    // than drawn from freed memory.
    std::unordered_map<std::int32_t, const CBlock*> byId;
    byId.reserve(section->blocks().size());
    for (const auto& b : section->blocks())
        byId.emplace(b->id, b.get());

    const CBlock* selected = nullptr;
    for (std::int32_t id : figureIds) {
        auto it = byId.find(id);
        if (it != byId.end() && it->second->selected) {
            selected = it->second;
            break;
        }
    }
    for (std::int32_t id : figureIds) {
        auto it = byId.find(id);
        if (it != byId.end() && it->second != selected)
            drawBlock(p, *it->second, t, false);
    }
    if (selected)
        drawBlock(p, *selected, t, true);

    drawCompass(p);
    p.setPen(QColor(200, 255, 200));
    p.drawStaticText(100, 10, text(m_sectionLabel + section->name).text);
}

void PlanPainter::paintBlock(QImage& image, const CBlock& block, double zoom) {
    if (image.isNull())
        return;
    QPainter p(&image);
    p.setFont(m_font);
    m_visible = drawnArea(image).adjusted(-kTextReachX, -kTextReachY, kTextReachX, kTextReachY);
    m_keepTextsIn = drawnArea(image);
    const Rect& r = block.rect();
    const ScreenTransform t{zoom, addOffset(0, -static_cast<std::int64_t>(r.left)),
                            addOffset(0, -static_cast<std::int64_t>(r.top))};
    drawBlock(p, block, t, false, false);
}

void PlanPainter::drawBlock(QPainter& p, const CBlock& block, const ScreenTransform& t,
                            bool selected, bool marks) {
    const Rect s = t.toScreen(block.rect());
    if (!reachesInto(m_visible, s))
        return;
    const QRect area = toQRect(s);
    p.fillRect(area.adjusted(0, 0, 1, 1), toQColor(block.colorRect.color));

    // Open sides show where a neighbour is attached. Filled one pixel wide, as the block is, so
    // that on a scaled screen they cover whole screen pixels along its edge.
    const int width = s.right - s.left + 1;
    const int height = s.bottom - s.top + 1;
    if (!block.neighbours[North])
        p.fillRect(QRect(s.left, s.top, width, 1), Qt::white);
    if (!block.neighbours[West])
        p.fillRect(QRect(s.left, s.top, 1, height), Qt::white);
    if (!block.neighbours[East])
        p.fillRect(QRect(s.right, s.top, 1, height), Qt::black);
    if (!block.neighbours[South])
        p.fillRect(QRect(s.left, s.bottom, width, 1), Qt::black);

    const CHouseObject* chosen = marks ? block.selectedFloorObject() : nullptr;
    for (const auto& o : block.floorObjects())
        if (o.get() != chosen)
            drawObject(p, *o, objectScreenRect(t, s, o->location.rect), false);
    if (chosen)
        drawObject(p, *chosen, objectScreenRect(t, s, chosen->location.rect), true);

    const int cx = s.left + (s.right - s.left) / 2;
    const int cy = s.top + (s.bottom - s.top) / 2;
    p.setPen(Qt::white);
    for (int dx : {-1, 1})
        for (int dy : {-1, 1})
            drawCentred(p, cx + dx, cy - m_lineHeight + dy, block.name);

    if (selected) {
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        const auto points = blockHandlePoints(s);
        for (int i = 0; i < kBlockHandleCount; ++i)
            invertSquare(p, points[i], blockHandleHalfSize(i + 1));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    p.setPen(QColor(125, 125, 125));
    drawCentred(p, cx, cy - m_lineHeight, block.name);
    p.setPen(toQColor(hintColor(block.colorRect.color)));
    drawCentred(p, cx, cy, m_hint);
}

void PlanPainter::drawObject(QPainter& p, const CHouseObject& object, const Rect& s,
                             bool selected) {
    if (!reachesInto(m_visible, s))
        return;
    if (!s.isEmpty())
        p.fillRect(toQRect(s), toQColor(object.color));
    const int cx = s.left + (s.right - s.left) / 2;
    const int cy = s.top + (s.bottom - s.top) / 2;
    p.setPen(toQColor(objectNameColor(object.color)));
    drawCentred(p, cx, cy - m_lineHeight / 2, object.name);
    if (selected) {
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        for (ScreenPoint c : objectHandlePoints(s))
            invertSquare(p, c, kObjectHandleHalfSize);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void PlanPainter::drawCompass(QPainter& p) {
    static const QPolygon needles[] = {
        QPolygon({QPoint(50, 10), QPoint(60, 50), QPoint(50, 40), QPoint(40, 50)}),
        QPolygon({QPoint(50, 110), QPoint(60, 70), QPoint(50, 80), QPoint(40, 70)}),
        QPolygon({QPoint(0, 60), QPoint(40, 50), QPoint(30, 60), QPoint(40, 70)}),
        QPolygon({QPoint(100, 60), QPoint(60, 70), QPoint(70, 60), QPoint(60, 50)}),
    };
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    for (const QPolygon& needle : needles)
        p.drawPolygon(needle);
    p.setBrush(Qt::NoBrush);
}

} // namespace ardenvo
