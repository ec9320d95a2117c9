#include "CX11NativeView.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "CFrame.h"

namespace VSTGUI {

namespace {

// ---- X protocol errors ----

struct RecordedError {
    Display* display;
    unsigned long serial;  // of the request that failed
    unsigned char code;
    std::string message;
};

// The open connections of the views, the errors seen on them, and the
// handler that was there before ours (for every other connection).
struct ErrorRecord {
    std::vector<Display*> displays;
    std::vector<RecordedError> errors;
    XErrorHandler previous = nullptr;
};

// A runaway fault must not grow the record without bound.
constexpr size_t kMostErrorsKept = 100;

ErrorRecord& errorRecord() {
    static ErrorRecord record;
    return record;
}

std::string hexadecimal(unsigned long value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

int recordError(Display* display, XErrorEvent* event) {
    ErrorRecord& record = errorRecord();
    if (std::find(record.displays.begin(), record.displays.end(), display) == record.displays.end())
        return record.previous ? record.previous(display, event) : 0;
    if (record.errors.size() >= kMostErrorsKept) return 0;
    char text[160] = "";
    XGetErrorText(display, event->error_code, text, sizeof text);
    record.errors.push_back(RecordedError{
        display, event->serial, event->error_code,
        std::string(text) + " (request " + std::to_string(event->request_code) + "." +
            std::to_string(event->minor_code) + ", resource " + hexadecimal(event->resourceid) + ")"});
    return 0;
}

void registerDisplay(Display* display) {
    ErrorRecord& record = errorRecord();
    if (record.displays.empty()) record.previous = XSetErrorHandler(recordError);
    record.displays.push_back(display);
}

void unregisterDisplay(Display* display) {
    ErrorRecord& record = errorRecord();
    record.displays.erase(std::remove(record.displays.begin(), record.displays.end(), display),
                          record.displays.end());
    if (!record.displays.empty()) return;
    // Give the previous handler back, unless someone installed another
    // since ours: theirs stays.
    const XErrorHandler current = XSetErrorHandler(record.previous);
    if (current != recordError) XSetErrorHandler(current);
    record.previous = nullptr;
}

// ---- input translation ----

uint32 modifiersOf(unsigned int state) {
    uint32 modifiers = 0;
    if (state & ShiftMask) modifiers |= CLinuxNativeView::kShiftModifier;
    if (state & ControlMask) modifiers |= CLinuxNativeView::kControlModifier;
    if (state & Mod1Mask) modifiers |= CLinuxNativeView::kOptionModifier;
    if (state & Mod4Mask) modifiers |= CLinuxNativeView::kCommandModifier;
    return modifiers;
}

// The buttons held, from an event's state.
uint32 buttonsOf(unsigned int state) {
    uint32 buttons = 0;
    if (state & Button1Mask) buttons |= CLinuxNativeView::kLeftButton;
    if (state & Button2Mask) buttons |= CLinuxNativeView::kMiddleButton;
    if (state & Button3Mask) buttons |= CLinuxNativeView::kRightButton;
    return buttons;
}

// The button of a press or release; 0 for the wheel and anything else.
uint32 buttonOf(unsigned int button) {
    switch (button) {
        case Button1: return CLinuxNativeView::kLeftButton;
        case Button2: return CLinuxNativeView::kMiddleButton;
        case Button3: return CLinuxNativeView::kRightButton;
        default: return 0;
    }
}

VirtualKey virtualKeyOf(KeySym symbol) {
    static const struct {
        KeySym symbol;
        VirtualKey key;
    } keys[] = {
        {XK_BackSpace, VKEY_BACK},     {XK_Tab, VKEY_TAB},           {XK_ISO_Left_Tab, VKEY_TAB},
        {XK_Clear, VKEY_CLEAR},        {XK_Return, VKEY_RETURN},     {XK_Pause, VKEY_PAUSE},
        {XK_Escape, VKEY_ESCAPE},      {XK_Home, VKEY_HOME},         {XK_KP_Home, VKEY_HOME},
        {XK_End, VKEY_END},            {XK_KP_End, VKEY_END},        {XK_Left, VKEY_LEFT},
        {XK_KP_Left, VKEY_LEFT},       {XK_Up, VKEY_UP},             {XK_KP_Up, VKEY_UP},
        {XK_Right, VKEY_RIGHT},        {XK_KP_Right, VKEY_RIGHT},    {XK_Down, VKEY_DOWN},
        {XK_KP_Down, VKEY_DOWN},       {XK_Page_Up, VKEY_PAGEUP},    {XK_KP_Page_Up, VKEY_PAGEUP},
        {XK_Page_Down, VKEY_PAGEDOWN}, {XK_KP_Page_Down, VKEY_PAGEDOWN}, {XK_Select, VKEY_SELECT},
        {XK_Print, VKEY_PRINT},        {XK_KP_Enter, VKEY_ENTER},    {XK_Insert, VKEY_INSERT},
        {XK_KP_Insert, VKEY_INSERT},   {XK_Delete, VKEY_DELETE},     {XK_KP_Delete, VKEY_DELETE},
        {XK_Help, VKEY_HELP},
    };
    for (const auto& key : keys)
        if (key.symbol == symbol) return key.key;
    return VKEY_NONE;
}

// The copy to the window goes in tiles of under 4096 bytes. cairo's Xlib
// backend sends larger uploads through shared memory, and this cairo (1.16)
// never frees the record of an upload still pending when the connection
// closes (seen with the sanitizer build's leak checker); smaller ones go
// through the connection itself.
constexpr int kTileWidth = 32, kTileHeight = 31;

// Whole pixels covering rect.
void outwardPixels(const CRect& rect, int* x, int* y, int* width, int* height) {
    *x = int(std::floor(rect.left));
    *y = int(std::floor(rect.top));
    *width = int(std::ceil(rect.right)) - *x;
    *height = int(std::ceil(rect.bottom)) - *y;
}

}  // namespace

std::unique_ptr<CX11NativeView> CX11NativeView::create(const Placement& placement, Failure* failure) {
    std::unique_ptr<CX11NativeView> view(new CX11NativeView);
    if (!view->openWindow(placement, failure)) return nullptr;
    return view;
}

CX11NativeView::~CX11NativeView() {
    if (!m_display) return;
    if (m_window && !m_windowDestroyed) XDestroyWindow(m_display, m_window);
    // Errors of the last requests arrive while the connection is still ours.
    XSync(m_display, False);
    if (m_windowDestroyed) forgetErrorsAfterDestruction();
    XCloseDisplay(m_display);
    unregisterDisplay(m_display);
}

// Someone else destroyed the window while this view could still be drawing
// into it: requests the server handled after that (a serial beyond the
// destruction's) fail for no fault of the view. Those errors - a missing
// window or drawable, a mismatch, an extension's missing picture - are
// dropped; anything else stays recorded.
void CX11NativeView::forgetErrorsAfterDestruction() {
    auto& errors = errorRecord().errors;
    const auto afterDestruction = [this](const RecordedError& error) {
        const bool aboutTheGoneWindow = error.code == BadWindow || error.code == BadDrawable ||
                                        error.code == BadMatch || error.code >= 128;
        return error.display == m_display && error.serial > m_destroyedAtSerial && aboutTheGoneWindow;
    };
    errors.erase(std::remove_if(errors.begin(), errors.end(), afterDestruction), errors.end());
}

bool CX11NativeView::openWindow(const Placement& placement, Failure* failure) {
    const char* name = placement.displayName.empty() ? nullptr : placement.displayName.c_str();
    m_display = XOpenDisplay(name);
    if (!m_display) {
        const std::string shown = XDisplayName(name);
        failure->reason = Failure::kNoDisplay;
        failure->message = shown.empty() ? "cannot open an X display: DISPLAY is not set"
                                         : "cannot open the X display '" + shown + "'";
        return false;
    }
    registerDisplay(m_display);
    m_topLevel = placement.parent == 0;
    const Window parent = m_topLevel ? RootWindow(m_display, DefaultScreen(m_display)) : placement.parent;
    if (!learnParentVisual(parent)) {
        failure->reason = Failure::kNoParent;
        failure->message = "there is no window " + hexadecimal(placement.parent) + " on the X display '" +
                           XDisplayString(m_display) + "'";
        return false;
    }
    const int width = std::max(placement.width, 1), height = std::max(placement.height, 1);
    createWindow(parent, width, height);
    if (m_topLevel) describeTopLevel(placement.title, width, height);
    return true;
}

// The window takes its parent's visual. A parent that does not exist is the
// caller's mistake, reported as such rather than as a protocol error.
bool CX11NativeView::learnParentVisual(unsigned long parent) {
    const size_t errorsBefore = errorRecord().errors.size();
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, parent, &attributes)) {
        errorRecord().errors.erase(errorRecord().errors.begin() + long(errorsBefore), errorRecord().errors.end());
        return false;
    }
    m_visual = attributes.visual;
    return true;
}

void CX11NativeView::createWindow(unsigned long parent, int width, int height) {
    XSetWindowAttributes attributes{};
    // No background: the server never clears what the view paints.
    attributes.background_pixmap = None;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | ButtonMotionMask | KeyPressMask |
                            StructureNotifyMask;
    m_window = XCreateWindow(m_display, parent, 0, 0, unsigned(width), unsigned(height), 0, CopyFromParent,
                             InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    m_protocolsAtom = XInternAtom(m_display, "WM_PROTOCOLS", False);
    m_deleteWindowAtom = XInternAtom(m_display, "WM_DELETE_WINDOW", False);
    // Who owns the window, so that tools (and window managers) find it.
    const long pid = long(getpid());
    XChangeProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
}

// What a window manager needs: title, class, focus model, the close
// protocol and the one size.
void CX11NativeView::describeTopLevel(const std::string& title, int width, int height) {
    XStoreName(m_display, m_window, title.c_str());
    XClassHint classHint{const_cast<char*>("orvanta"), const_cast<char*>("Orvanta")};
    XSetClassHint(m_display, m_window, &classHint);
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(m_display, m_window, &hints);
    Atom deleteWindow = m_deleteWindowAtom;
    XSetWMProtocols(m_display, m_window, &deleteWindow, 1);
    setFixedSizeHints(width, height);
}

void CX11NativeView::show() {
    if (m_windowDestroyed) return;
    XMapWindow(m_display, m_window);
    XFlush(m_display);
}

// The panel has one size: a window manager offers no resizing.
void CX11NativeView::setFixedSizeHints(int width, int height) {
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = width;
    hints.min_height = hints.max_height = height;
    XSetWMNormalHints(m_display, m_window, &hints);
}

void CX11NativeView::setSurfaceSize(int width, int height) {
    CLinuxNativeView::setSurfaceSize(width, height);
    if (!m_window || m_windowDestroyed || width <= 0 || height <= 0) return;
    if (m_topLevel) setFixedSizeHints(width, height);
    XResizeWindow(m_display, m_window, unsigned(width), unsigned(height));
}

void CX11NativeView::regionDrawn(const CRect& rect) { paint(rect); }

void CX11NativeView::paint(const CRect& rect) {
    if (!m_window || m_windowDestroyed || !getSurface()) return;
    CRect area(rect);
    area.bound(CRect(0, 0, getWidth(), getHeight()));
    if (area.isEmpty()) return;
    int x, y, width, height;
    outwardPixels(area, &x, &y, &width, &height);
    // A window surface for this copy only: nothing of it outlives the call,
    // so nothing refers to the window once someone else destroys it.
    cairo_surface_t* target =
        cairo_xlib_surface_create(m_display, m_window, static_cast<Visual*>(m_visual), getWidth(), getHeight());
    cairo_t* cr = cairo_create(target);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, getSurface(), 0, 0);
    for (int top = y; top < y + height; top += kTileHeight)
        for (int left = x; left < x + width; left += kTileWidth) {
            cairo_rectangle(cr, left, top, std::min(kTileWidth, x + width - left), std::min(kTileHeight, y + height - top));
            cairo_fill(cr);
        }
    cairo_destroy(cr);
    cairo_surface_destroy(target);
}

bool CX11NativeView::waitForEvent(int timeoutMs) {
    if (XPending(m_display) > 0) return true;
    pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
    if (poll(&connection, 1, timeoutMs) <= 0) return false;
    return XPending(m_display) > 0;
}

bool CX11NativeView::handleNextEvent() {
    if (XPending(m_display) <= 0) return false;
    XEvent event;
    XNextEvent(m_display, &event);
    if (event.xany.window != m_window || m_windowDestroyed) return true;
    switch (event.type) {
        case ButtonPress: onButtonPress(event); break;
        case ButtonRelease: onButtonRelease(event); break;
        case MotionNotify: onMotion(event); break;
        case KeyPress: onKeyPress(event); break;
        case Expose: onExpose(event); break;
        case ClientMessage: onClientMessage(event); break;
        case DestroyNotify:
            if (event.xdestroywindow.window == m_window) {
                m_windowDestroyed = m_closeRequested = true;
                m_destroyedAtSerial = event.xany.serial;
            }
            break;
        default: break;
    }
    return true;
}

void CX11NativeView::onButtonPress(const XEvent& event) {
    const XButtonEvent& press = event.xbutton;
    const CPoint where(press.x, press.y);
    const uint32 modifiers = modifiersOf(press.state);
    if (press.button == Button4 || press.button == Button5) {
        mouseWheel(where, press.button == Button4 ? 1.0f : -1.0f, modifiers);
        return;
    }
    const uint32 button = buttonOf(press.button);
    if (!button) return;
    mouseDown(where, button, modifiers);
    // Keys go to the window only while a view wants them (a display being
    // typed into, a knob stepped with the arrows), so a host keeps its own
    // keyboard shortcuts otherwise.
    if (getFrame() && getFrame()->getFocusView() && !m_windowDestroyed)
        XSetInputFocus(m_display, m_window, RevertToParent, press.time);
}

void CX11NativeView::onButtonRelease(const XEvent& event) {
    const XButtonEvent& release = event.xbutton;
    const uint32 button = buttonOf(release.button);
    if (button) mouseUp(CPoint(release.x, release.y), button, modifiersOf(release.state));
}

void CX11NativeView::onMotion(const XEvent& event) {
    // Only the latest of the moves queued so far matters.
    XEvent latest = event;
    while (XCheckTypedWindowEvent(m_display, m_window, MotionNotify, &latest)) {
    }
    const XMotionEvent& motion = latest.xmotion;
    mouseMoved(CPoint(motion.x, motion.y), buttonsOf(motion.state), modifiersOf(motion.state));
}

void CX11NativeView::onKeyPress(const XEvent& event) {
    XKeyEvent key = event.xkey;
    char text[8] = "";
    KeySym symbol = NoSymbol;
    const int length = XLookupString(&key, text, sizeof text, &symbol, nullptr);
    const uint32 modifiers = modifiersOf(key.state);
    const VirtualKey virtualKey = virtualKeyOf(symbol);
    if (virtualKey != VKEY_NONE) {
        keyDown(0, virtualKey, modifiers);
        return;
    }
    // One Latin-1 character; control characters (Control with a letter)
    // are no text.
    const unsigned char character = length == 1 ? static_cast<unsigned char>(text[0]) : 0;
    if (character >= 0x20 && character != 0x7F) keyDown(int32(character), VKEY_NONE, modifiers);
}

void CX11NativeView::onExpose(const XEvent& event) {
    const XExposeEvent& expose = event.xexpose;
    m_exposed.unite(CRect(expose.x, expose.y, expose.x + expose.width, expose.y + expose.height));
    // The server sends a damaged area as a series; paint once at its end.
    if (expose.count > 0) return;
    update();
    paint(m_exposed);
    m_exposed = CRect();
}

void CX11NativeView::onClientMessage(const XEvent& event) {
    const XClientMessageEvent& message = event.xclient;
    if (message.message_type == m_protocolsAtom && message.format == 32 &&
        Atom(message.data.l[0]) == m_deleteWindowAtom)
        m_closeRequested = true;
}

std::vector<std::string> CX11NativeView::takeErrors() {
    std::vector<std::string> messages;
    for (const RecordedError& error : errorRecord().errors) messages.push_back(error.message);
    errorRecord().errors.clear();
    return messages;
}

}  // namespace VSTGUI
