#include "CDrawContext.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI {

CDrawContext::CDrawContext(cairo_surface_t* surface) : m_cr(cairo_create(surface)) {
    m_state.font = kNormalFont;
    m_state.fontSize = kNormalFont->getSize();
}

CDrawContext::~CDrawContext() { cairo_destroy(m_cr); }

void CDrawContext::saveGlobalState() {
    cairo_save(m_cr);
    m_savedStates.push_back(m_state);
}

void CDrawContext::restoreGlobalState() {
    if (m_savedStates.empty()) return;
    m_state = m_savedStates.back();
    m_savedStates.pop_back();
    cairo_restore(m_cr);
}

void CDrawContext::translate(CCoord dx, CCoord dy) { cairo_translate(m_cr, dx, dy); }

void CDrawContext::clipRect(const CRect& rect) {
    cairo_rectangle(m_cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(m_cr);
}

CRect CDrawContext::getClipRect() const {
    double x1, y1, x2, y2;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    return CRect(x1, y1, x2, y2);
}

void CDrawContext::setFont(const CFontDesc* font, CCoord size, int32 style) {
    m_state.font = font ? font : kNormalFont;
    m_state.fontSize = size > 0 ? size : m_state.font->getSize();
    m_state.fontStyle = style >= 0 ? style : m_state.font->getStyle();
}

void CDrawContext::setSourceColor(const CColor& color) {
    cairo_set_source_rgba(m_cr, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0 * m_state.globalAlpha);
}

void CDrawContext::moveTo(const CPoint& point) { cairo_move_to(m_cr, point.x, point.y); }

void CDrawContext::lineTo(const CPoint& point) {
    double x, y;
    cairo_get_current_point(m_cr, &x, &y);
    drawLine(CPoint(x, y), point);
    cairo_move_to(m_cr, point.x, point.y);
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
    cairo_new_path(m_cr);
    cairo_move_to(m_cr, from.x, from.y);
    cairo_line_to(m_cr, to.x, to.y);
    setSourceColor(m_state.frameColor);
    cairo_set_line_width(m_cr, m_state.lineWidth);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(m_cr);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
    if (style != kDrawStroked) {
        cairo_new_path(m_cr);
        cairo_rectangle(m_cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
        setSourceColor(m_state.fillColor);
        cairo_fill(m_cr);
    }
    if (style != kDrawFilled) {
        const double half = m_state.lineWidth / 2;
        cairo_new_path(m_cr);
        cairo_rectangle(m_cr, rect.left + half, rect.top + half, rect.getWidth() - 2 * half,
                        rect.getHeight() - 2 * half);
        setSourceColor(m_state.frameColor);
        cairo_set_line_width(m_cr, m_state.lineWidth);
        cairo_stroke(m_cr);
    }
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
    const CPoint centre = rect.getCenter();
    auto ellipsePath = [&](double inset) {
        cairo_new_path(m_cr);
        cairo_save(m_cr);
        cairo_translate(m_cr, centre.x, centre.y);
        cairo_scale(m_cr, std::max(0.0, rect.getWidth() / 2 - inset),
                    std::max(1e-9, rect.getHeight() / 2 - inset));
        cairo_arc(m_cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(m_cr);
    };
    if (style != kDrawStroked) {
        ellipsePath(0);
        setSourceColor(m_state.fillColor);
        cairo_fill(m_cr);
    }
    if (style != kDrawFilled) {
        ellipsePath(m_state.lineWidth / 2);
        setSourceColor(m_state.frameColor);
        cairo_set_line_width(m_cr, m_state.lineWidth);
        cairo_stroke(m_cr);
    }
}

void CDrawContext::applyFont() {
    const CFontDesc* font = m_state.font ? m_state.font : kNormalFont;
    cairo_select_font_face(m_cr, font->getName().c_str(),
                           (m_state.fontStyle & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC
                                                             : CAIRO_FONT_SLANT_NORMAL,
                           (m_state.fontStyle & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD
                                                           : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(m_cr, m_state.fontSize);
}

void CDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias) {
    if (!text || !*text || rect.isEmpty()) return;
    cairo_save(m_cr);
    cairo_rectangle(m_cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    cairo_clip(m_cr);
    applyFont();
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options,
                                     antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(m_cr, options);
    cairo_font_options_destroy(options);

    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, text, &extents);
    cairo_font_extents_t font;
    cairo_font_extents(m_cr, &font);

    double x = rect.left;
    if (align == kCenterText)
        x = rect.left + (rect.getWidth() - extents.x_advance) / 2;
    else if (align == kRightText)
        x = rect.right - extents.x_advance;
    // Centre the font's ascent-plus-descent box, then snap the baseline to a
    // whole pixel so text renders crisply.
    const double baseline =
        std::round(rect.top + (rect.getHeight() - (font.ascent + font.descent)) / 2 + font.ascent);
    setSourceColor(m_state.fontColor);
    cairo_move_to(m_cr, std::round(x), baseline);
    cairo_show_text(m_cr, text);
    cairo_restore(m_cr);
}

CCoord CDrawContext::getStringWidth(const char* text) {
    if (!text) return 0;
    cairo_save(m_cr);
    applyFont();
    cairo_text_extents_t extents;
    cairo_text_extents(m_cr, text, &extents);
    cairo_restore(m_cr);
    return extents.x_advance;
}

}  // namespace VSTGUI
