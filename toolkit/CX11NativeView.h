// The platform view as a real X11 window: a top-level window of its own or
// a child of a window the host gives. It draws exactly what the offscreen
// view draws - the frame paints the base class's pixel surface, and every
// region drawn (and every region the server reports damaged) is copied to
// the window through a cairo Xlib surface - and it hands the server's input
// to the base class's dispatch functions, so a gesture does the same here
// as in a snapshot test:
//   - buttons 1, 2 and 3 press and release the left, middle and right
//     buttons; the press's implicit grab keeps the drag's moves and the
//     release coming to this window wherever the pointer goes;
//   - buttons 4 and 5 are one wheel notch up (away from the user) and down;
//   - Shift, Control, Alt (Mod1) and Super (Mod4) are the toolkit's Shift,
//     Control, Option and Command keys: Super drags finely, an Alt click
//     resets to the default, a Control click is a right click;
//   - a press takes the keyboard focus, and key presses become characters
//     or the toolkit's virtual keys (XLookupString).
// WM_DELETE_WINDOW from a window manager, or the window being destroyed by
// someone else (its parent closing), sets closeRequested(); the host ends
// its loop and destroys the view, which destroys the window (when it still
// exists) and closes the connection.
//
// Each view has its own connection to the server. X protocol errors on the
// connections of these views are recorded (takeErrors) instead of ending
// the process; errors on any other connection of the process go to the
// handler that was installed before.
//
// Every entry point runs on the user-interface thread, the one that created
// the view; none may run on an audio thread. handleNextEvent never blocks;
// waitForEvent blocks for at most its timeout.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CLinuxNativeView.h"

struct _XDisplay;
union _XEvent;

namespace VSTGUI {

class CX11NativeView : public CLinuxNativeView {
public:
    // Where the window goes and how large it starts.
    struct Placement {
        std::string displayName;   // empty: $DISPLAY
        unsigned long parent = 0;  // a window to embed into; 0: a top-level window
        int width = 1;
        int height = 1;
        std::string title;         // for a top-level window's title bar
    };

    // Why no window was made.
    struct Failure {
        enum Reason { kNoDisplay, kNoParent } reason = kNoDisplay;
        std::string message;
    };

    // Opens the connection and creates the window, not yet shown. Null
    // with *failure filled in when the display cannot be opened or the
    // parent window does not exist.
    static std::unique_ptr<CX11NativeView> create(const Placement& placement, Failure* failure);
    ~CX11NativeView() override;

    // Maps the window. A host calls it once the editor is open in the view,
    // so that the window appears at the editor's size, drawn.
    void show();

    _XDisplay* getDisplay() const { return m_display; }
    unsigned long getWindow() const { return m_window; }

    // Handles one event waiting on the connection, if any: input goes to
    // the frame (which redraws what it invalidated), damage is repainted,
    // a close request is noted. False when nothing was waiting.
    bool handleNextEvent();
    // Sends what is buffered and waits up to timeoutMs for an event; true
    // when one is waiting.
    bool waitForEvent(int timeoutMs);
    // The window manager asked to close the window, or it was destroyed.
    bool closeRequested() const { return m_closeRequested; }

    // ---- CLinuxNativeView ----
    void setSurfaceSize(int width, int height) override;
    void regionDrawn(const CRect& rect) override;

    // The X protocol errors seen on these views' connections since the last
    // call, one message each, oldest first; the record is emptied.
    static std::vector<std::string> takeErrors();

private:
    CX11NativeView() = default;
    bool openWindow(const Placement& placement, Failure* failure);
    bool learnParentVisual(unsigned long parent);
    void createWindow(unsigned long parent, int width, int height);
    void describeTopLevel(const std::string& title, int width, int height);
    void setFixedSizeHints(int width, int height);
    void forgetErrorsAfterDestruction();
    // Copies rect of the surface to the window.
    void paint(const CRect& rect);

    void onButtonPress(const _XEvent& event);
    void onButtonRelease(const _XEvent& event);
    void onMotion(const _XEvent& event);
    void onKeyPress(const _XEvent& event);
    void onExpose(const _XEvent& event);
    void onClientMessage(const _XEvent& event);

    _XDisplay* m_display = nullptr;
    unsigned long m_window = 0;
    void* m_visual = nullptr;  // the window's Visual
    bool m_topLevel = false;
    bool m_windowDestroyed = false;  // by someone else
    unsigned long m_destroyedAtSerial = 0;
    bool m_closeRequested = false;
    unsigned long m_protocolsAtom = 0;
    unsigned long m_deleteWindowAtom = 0;
    CRect m_exposed;  // damage reported so far in an expose series
};

}  // namespace VSTGUI
