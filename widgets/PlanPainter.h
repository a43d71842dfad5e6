#pragma once

#include "model/CSection.h"
#include "planeditor/layout/PlanGeometry.h"

#include <QFont>
#include <QImage>
#include <QStaticText>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

namespace ardenvo {

// The colour of the "(Right)Click me!" hint: each channel 32 darker, never below 0.
ColorRef hintColor(ColorRef blockColor);
// The colour of an object's name: per channel 255 where the object's is below 196, else 0.
ColorRef objectNameColor(ColorRef objectColor);

// Draws a section's plan into the view's back buffer. It keeps the laid-out texts between
// frames, so one instance lives as long as the view.
class PlanPainter {
public:
    PlanPainter();

    // The whole picture: background, block figures (the selected one last), compass, title.
    // `figureIds` are the blocks to draw, in drawing order; ids missing from the section are
    // skipped. A null section gives the background alone.
    void paint(QImage& buffer, const CSection* section, const std::vector<std::int32_t>& figureIds);
    // One block alone, its top-left corner at the image's, at `zoom` pixels per centimetre: the
    // object dialogs' previews. Floor objects are drawn in list order and no handles are drawn;
    // names are kept inside the image.
    void paintBlock(QImage& image, const CBlock& block, double zoom);

private:
    struct Text {
        QStaticText text;
        int width = 0;
    };

    // `selected` draws the block's handles; `marks` draws the selected floor object last, with its
    // handles.
    void drawBlock(QPainter& p, const CBlock& block, const ScreenTransform& t, bool selected,
                   bool marks = true);
    void drawObject(QPainter& p, const CHouseObject& object, const Rect& screen, bool selected);
    void drawCompass(QPainter& p);
    // Text centred horizontally on x with its top at y.
    void drawCentred(QPainter& p, int x, int y, const std::string& bytes);
    const Text& text(const std::string& bytes);

    QFont m_font;
    int m_lineHeight = 16;
    // The plan's own words in the user's language, as the stored bytes texts are drawn from.
    std::string m_sectionLabel;
    std::string m_hint;
    QRect m_visible;     // the buffer, grown by how far a name may stick out of its block
    QRect m_keepTextsIn; // a preview's bitmap, which every text stays inside; null for the plan
    std::unordered_map<std::string, Text> m_texts;
};

} // namespace ardenvo
