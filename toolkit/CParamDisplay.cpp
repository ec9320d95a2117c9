#include "CParamDisplay.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "CBitmap.h"

namespace VSTGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32 style)
    : CControl(size, nullptr, 0, background), m_style(style) {}

std::string CParamDisplay::displayText() const {
    // Two decimals with a point, whatever locale the host process has set.
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, double(m_value), std::chars_format::fixed, 2);
    return std::string(text, written.ptr);
}

void CParamDisplay::draw(CDrawContext* context) {
    drawField(context);
    drawText(context, displayText());
    drawFrame(context);
    setDirty(false);
}

void CParamDisplay::drawField(CDrawContext* context) {
    if (m_style & kNoDrawStyle) return;
    if (m_pBackground) {
        m_pBackground->draw(context, m_size);
        return;
    }
    context->setFillColor(m_backColor);
    context->drawRect(m_size, kDrawFilled);
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text) {
    if (m_style & (kNoTextStyle | kNoDrawStyle)) return;
    context->setFont(m_pFont);
    if (m_style & kShadowText) {
        CRect shadow(m_size);
        shadow.offset(1, 1);
        context->setFontColor(m_shadowColor);
        context->drawString(text.c_str(), shadow, m_horiAlign);
    }
    context->setFontColor(m_fontColor);
    context->drawString(text.c_str(), m_size, m_horiAlign);
}

void CParamDisplay::drawFrame(CDrawContext* context) {
    if (m_style & (kNoFrame | kNoDrawStyle)) return;
    context->setLineWidth(1);
    context->setFrameColor(m_frameColor);
    context->drawRect(m_size, kDrawStroked);
}

bool CParamDisplay::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CParamDisplay") == 0) || CControl::isTypeOf(name);
}

}  // namespace VSTGUI
