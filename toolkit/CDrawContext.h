// A drawing context over a cairo image surface: colours, line width, font,
// rectangles, ellipses, lines and text. Views draw in their parent's
// coordinates; containers move the origin with translate() and narrow the
// clip with clipRect() between saveGlobalState() and restoreGlobalState().
// User-interface thread only.
#pragma once

#include <cairo.h>

#include <vector>

#include "CBaseObject.h"
#include "CColor.h"
#include "CFontDesc.h"
#include "CRect.h"

namespace VSTGUI {

enum CDrawStyle : int32 {
    kDrawStroked = 0,
    kDrawFilled = 1,
    kDrawFilledAndStroked = 2,
};

enum CHoriTxtAlign : int32 {
    kLeftText = 0,
    kCenterText = 1,
    kRightText = 2,
};

class CDrawContext : public CBaseObject {
public:
    // Draws into surface (which must outlive the context).
    explicit CDrawContext(cairo_surface_t* surface);
    ~CDrawContext() override;
    CDrawContext(const CDrawContext&) = delete;

    cairo_t* getCairo() const { return m_cr; }

    // Saves and restores origin, clip, colours, line width, font and alpha.
    void saveGlobalState();
    void restoreGlobalState();
    // Moves the origin by (dx, dy).
    void translate(CCoord dx, CCoord dy);
    // Intersects the clip with rect (in current coordinates).
    void clipRect(const CRect& rect);
    // The clip's bounding box in current coordinates.
    CRect getClipRect() const;

    void setFillColor(const CColor& color) { m_state.fillColor = color; }
    void setFrameColor(const CColor& color) { m_state.frameColor = color; }
    void setFontColor(const CColor& color) { m_state.fontColor = color; }
    const CColor& getFillColor() const { return m_state.fillColor; }
    const CColor& getFrameColor() const { return m_state.frameColor; }
    const CColor& getFontColor() const { return m_state.fontColor; }
    void setLineWidth(CCoord width) { m_state.lineWidth = width; }
    CCoord getLineWidth() const { return m_state.lineWidth; }
    // Multiplies every following drawing operation's opacity.
    void setGlobalAlpha(float alpha) { m_state.globalAlpha = alpha; }
    float getGlobalAlpha() const { return m_state.globalAlpha; }
    // Font for drawString; size 0 keeps the font's own size, style -1 its own style.
    void setFont(const CFontDesc* font, CCoord size = 0, int32 style = -1);

    void moveTo(const CPoint& point);
    // Strokes a line from the current point to point with the frame colour.
    void lineTo(const CPoint& point);
    void drawLine(const CPoint& from, const CPoint& to);
    // Stroked rectangles keep the line inside rect, so a 1-pixel frame covers
    // exactly the rectangle's outermost pixels.
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
    // Draws text on one line, vertically centred in rect, clipped to rect.
    void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                    bool antialias = true);
    CCoord getStringWidth(const char* text);

private:
    struct State {
        CColor fillColor = kWhiteCColor;
        CColor frameColor = kBlackCColor;
        CColor fontColor = kWhiteCColor;
        CCoord lineWidth = 1;
        float globalAlpha = 1.0f;
        const CFontDesc* font = nullptr;
        CCoord fontSize = 12;
        int32 fontStyle = kNormalFace;
    };

    void setSourceColor(const CColor& color);
    void applyFont();

    cairo_t* m_cr;
    State m_state;
    std::vector<State> m_savedStates;
};

}  // namespace VSTGUI
