// A control that shows text on one line: by default the value formatted
// with two decimals, centred, in the normal font, white on a black field
// with a black one-pixel frame. A background bitmap replaces the field.
//
// User-interface thread only.
#pragma once

#include <string>

#include "CColor.h"
#include "CControl.h"
#include "CDrawContext.h"

namespace VSTGUI {

// Style bits of displays and text edits (0: framed field with text).
enum CParamDisplayStyle : int32 {
    kShadowText = 1 << 2,
    kNoFrame = 1 << 3,
    kNoTextStyle = 1 << 5,
    kNoDrawStyle = 1 << 6,
};

class CParamDisplay : public CControl {
public:
    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32 style = 0);
    CParamDisplay(const CParamDisplay& other) = default;

    void draw(CDrawContext* context) override;

    void setFont(CFontRef font) { m_pFont = font; }
    CFontRef getFont() const { return m_pFont; }
    void setFontColor(const CColor& color) { m_fontColor = color; }
    const CColor& getFontColor() const { return m_fontColor; }
    void setBackColor(const CColor& color) { m_backColor = color; }
    const CColor& getBackColor() const { return m_backColor; }
    void setFrameColor(const CColor& color) { m_frameColor = color; }
    const CColor& getFrameColor() const { return m_frameColor; }
    void setShadowColor(const CColor& color) { m_shadowColor = color; }
    void setHoriAlign(CHoriTxtAlign align) { m_horiAlign = align; }
    CHoriTxtAlign getHoriAlign() const { return m_horiAlign; }
    void setStyle(int32 style) { m_style = style; }
    int32 getStyle() const { return m_style; }

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CParamDisplay(*this); }

protected:
    // The text shown when not editing; the value with two decimals here.
    virtual std::string displayText() const;
    void drawField(CDrawContext* context);
    void drawText(CDrawContext* context, const std::string& text);
    void drawFrame(CDrawContext* context);

    CFontRef m_pFont = kNormalFont;
    CColor m_fontColor = kWhiteCColor;
    CColor m_backColor = kBlackCColor;
    CColor m_frameColor = kBlackCColor;
    CColor m_shadowColor = kBlackCColor;
    CHoriTxtAlign m_horiAlign = kCenterText;
    int32 m_style;
};

}  // namespace VSTGUI
