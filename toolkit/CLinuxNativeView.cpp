#include "CLinuxNativeView.h"

#include "CFrame.h"

namespace VSTGUI {

CLinuxNativeView::CLinuxNativeView() = default;

CLinuxNativeView::~CLinuxNativeView() {
    if (m_pFrame) m_pFrame->platformViewDestroyed();
    if (m_surface) cairo_surface_destroy(m_surface);
}

int CLinuxNativeView::getWidth() const {
    return m_surface ? cairo_image_surface_get_width(m_surface) : 0;
}

int CLinuxNativeView::getHeight() const {
    return m_surface ? cairo_image_surface_get_height(m_surface) : 0;
}

void CLinuxNativeView::update() {
    if (m_pFrame) m_pFrame->idle();
}

uint32_t CLinuxNativeView::getPixel(int x, int y) {
    update();
    if (!m_surface || x < 0 || y < 0 || x >= getWidth() || y >= getHeight()) return 0;
    cairo_surface_flush(m_surface);
    const uint8_t* row =
        cairo_image_surface_get_data(m_surface) + size_t(y) * size_t(cairo_image_surface_get_stride(m_surface));
    const uint32_t premultiplied = reinterpret_cast<const uint32_t*>(row)[x];
    const uint32_t alpha = premultiplied >> 24;
    if (alpha == 0 || alpha == 255) return alpha == 0 ? 0 : premultiplied;
    auto channel = [&](int shift) { return (((premultiplied >> shift) & 0xFFu) * 255u + alpha / 2) / alpha; };
    return (alpha << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

bool CLinuxNativeView::saveSnapshot(const std::string& pngPath) {
    update();
    if (!m_surface || getWidth() == 0 || getHeight() == 0) return false;
    return cairo_surface_write_to_png(m_surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
}

CButtonState CLinuxNativeView::toButtonState(uint32 buttons, uint32 modifiers) {
    int32 state = 0;
    if (buttons & kLeftButton) state |= kLButton;
    if (buttons & kMiddleButton) state |= kMButton;
    if (buttons & kRightButton) state |= kRButton;
    if (buttons & kFourthButton) state |= kButton4;
    if (buttons & kFifthButton) state |= kButton5;
    if (modifiers & kShiftModifier) state |= kShift;
    if (modifiers & kCommandModifier) state |= kCommand;
    if (modifiers & kOptionModifier) state |= kOption;
    if (modifiers & kControlModifier) state |= kControlKey;
    // Secondary-click convention: Control with the left button alone is a
    // right click.
    if ((state & kMouseButtonMask) == kLButton && (state & kControlKey))
        state = (state & ~kLButton) | kRButton;
    return CButtonState(state);
}

unsigned char CLinuxNativeView::toKeyModifiers(uint32 modifiers) {
    unsigned char bits = 0;
    if (modifiers & kShiftModifier) bits |= MODIFIER_SHIFT;
    if (modifiers & kOptionModifier) bits |= MODIFIER_ALTERNATE;
    if (modifiers & kCommandModifier) bits |= MODIFIER_COMMAND;
    if (modifiers & kControlModifier) bits |= MODIFIER_CONTROL;
    return bits;
}

// Hands one injected mouse event to the attached frame (kept alive for the
// call, since a handler may close the editor) and redraws what it dirtied.
CMouseEventResult CLinuxNativeView::dispatchMouse(MouseHandler handler, const CPoint& where,
                                                  uint32 buttons, uint32 modifiers) {
    if (!m_pFrame) return kMouseEventNotHandled;
    CFrame* frame = m_pFrame;
    CBaseObjectGuard keepAlive(frame);
    CPoint point(where);
    const CMouseEventResult result = (frame->*handler)(point, toButtonState(buttons, modifiers));
    update();
    return result;
}

CMouseEventResult CLinuxNativeView::mouseDown(const CPoint& where, uint32 buttons, uint32 modifiers) {
    return dispatchMouse(&CView::onMouseDown, where, buttons, modifiers);
}

CMouseEventResult CLinuxNativeView::mouseMoved(const CPoint& where, uint32 buttons, uint32 modifiers) {
    return dispatchMouse(&CView::onMouseMoved, where, buttons, modifiers);
}

CMouseEventResult CLinuxNativeView::mouseUp(const CPoint& where, uint32 buttons, uint32 modifiers) {
    return dispatchMouse(&CView::onMouseUp, where, buttons, modifiers);
}

bool CLinuxNativeView::mouseWheel(const CPoint& where, float distance, uint32 modifiers) {
    if (!m_pFrame) return false;
    CFrame* frame = m_pFrame;
    CBaseObjectGuard keepAlive(frame);
    const bool handled = frame->onWheel(where, distance, toButtonState(0, modifiers));
    update();
    return handled;
}

bool CLinuxNativeView::keyDown(int32 character, VirtualKey virt, uint32 modifiers) {
    if (!m_pFrame) return false;
    CFrame* frame = m_pFrame;
    CBaseObjectGuard keepAlive(frame);
    VstKeyCode key;
    key.character = virt == VKEY_NONE ? character : 0;
    key.virt = virt;
    key.modifier = toKeyModifiers(modifiers);
    const bool handled = frame->onKeyDown(key) == kKeyHandled;
    update();
    return handled;
}

bool CLinuxNativeView::typeText(const std::string& text) {
    bool allHandled = true;
    for (unsigned char c : text) allHandled = keyDown(int32(c)) && allHandled;
    return allHandled;
}

void CLinuxNativeView::attachFrame(CFrame* frame) {
    if (m_pFrame && m_pFrame != frame) m_pFrame->platformViewDestroyed();
    m_pFrame = frame;
    if (frame) {
        const CRect& size = frame->getViewSize();
        setSurfaceSize(int(size.right > 0 ? size.right : 0), int(size.bottom > 0 ? size.bottom : 0));
    }
}

void CLinuxNativeView::detachFrame(CFrame* frame) {
    if (m_pFrame == frame) m_pFrame = nullptr;
}

void CLinuxNativeView::setSurfaceSize(int width, int height) {
    if (m_surface) cairo_surface_destroy(m_surface);
    m_surface = nullptr;
    if (width <= 0 || height <= 0) return;
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(m_surface);
        m_surface = nullptr;
    }
}

}  // namespace VSTGUI
