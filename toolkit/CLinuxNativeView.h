// The platform view of this system: what a host window would be elsewhere.
// It owns an ARGB32 pixel surface as large as the frame placed in it, lets
// the host read, redraw and save that surface, and turns injected input
// (mouse presses, moves, releases and wheel turns with buttons and modifier
// keys; key presses with characters or virtual keys) into the toolkit's
// events, dispatched through the frame. After every event it redraws what
// the event invalidated, as a window system would before the next event.
//
// Used as it is, it is the offscreen view of snapshots and tests. It is
// also the base of the window views (CX11NativeView): they draw through the
// same surface and hand their window system's input to the same dispatch
// functions, so a gesture does the same in a window as offscreen. A window
// view learns of every region the frame has drawn (regionDrawn) and shows
// it, and follows every size change (setSurfaceSize).
//
// The host's view container carries a pointer to one of these as its
// native view. The host creates and destroys it; a frame attaches itself on
// construction and detaches on destruction, and either may go first.
//
// Every entry point runs on the user-interface thread.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "CPoint.h"
#include "CRect.h"

namespace VSTGUI {

class CFrame;
class CView;

class CLinuxNativeView {
public:
    // Mouse buttons of an injected event.
    enum MouseButton : uint32 {
        kLeftButton = 1,
        kMiddleButton = 2,
        kRightButton = 4,
        kFourthButton = 8,
        kFifthButton = 16,
    };
    // Modifier keys of an injected event.
    enum ModifierKey : uint32 {
        kShiftModifier = 1,
        kControlModifier = 2,
        kOptionModifier = 4,
        kCommandModifier = 8,
    };

    CLinuxNativeView();
    virtual ~CLinuxNativeView();
    CLinuxNativeView(const CLinuxNativeView&) = delete;
    CLinuxNativeView& operator=(const CLinuxNativeView&) = delete;

    // ---- host side ----
    CFrame* getFrame() const { return m_pFrame; }
    int getWidth() const;
    int getHeight() const;
    // The pixels; null while no frame has given the view a size.
    cairo_surface_t* getSurface() const { return m_surface; }
    // Redraws whatever the frame has pending.
    void update();
    // The pixel at (x, y) after an update, as 0xAARRGGBB with straight
    // (not premultiplied) colour; 0 outside the surface.
    uint32_t getPixel(int x, int y);
    // Updates, then writes the surface as a PNG file. False when there is
    // nothing to save or the file cannot be written.
    bool saveSnapshot(const std::string& pngPath);

    // ---- injected input; points in the view's pixels ----
    CMouseEventResult mouseDown(const CPoint& where, uint32 buttons, uint32 modifiers = 0);
    CMouseEventResult mouseMoved(const CPoint& where, uint32 buttons, uint32 modifiers = 0);
    // buttons: the button(s) being released.
    CMouseEventResult mouseUp(const CPoint& where, uint32 buttons, uint32 modifiers = 0);
    // distance in notches, positive away from the user. True when a view took it.
    bool mouseWheel(const CPoint& where, float distance, uint32 modifiers = 0);
    // A printable character (virt VKEY_NONE) or a virtual key. True when handled.
    bool keyDown(int32 character, VirtualKey virt = VKEY_NONE, uint32 modifiers = 0);
    // Types every character of text as one key press each; true when all were handled.
    bool typeText(const std::string& text);

    // The toolkit's button-state word for injected buttons and modifiers.
    // A lone left button with the Control key reads as the right button.
    static CButtonState toButtonState(uint32 buttons, uint32 modifiers);
    // The toolkit's key-modifier bits for injected modifiers.
    static unsigned char toKeyModifiers(uint32 modifiers);

    // ---- frame side ----
    // A new frame replaces any frame attached before (which is told the view
    // is gone for it).
    void attachFrame(CFrame* frame);
    void detachFrame(CFrame* frame);
    // Replaces the surface by a blank one of the given size.
    virtual void setSurfaceSize(int width, int height);
    // The frame has drawn rect (view pixels) into the surface; nothing to do
    // offscreen, a window view shows it.
    virtual void regionDrawn(const CRect& /*rect*/) {}

private:
    using MouseHandler = CMouseEventResult (CView::*)(CPoint&, const CButtonState&);
    CMouseEventResult dispatchMouse(MouseHandler handler, const CPoint& where, uint32 buttons,
                                    uint32 modifiers);

    CFrame* m_pFrame = nullptr;
    cairo_surface_t* m_surface = nullptr;
};

}  // namespace VSTGUI
