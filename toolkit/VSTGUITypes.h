// Basic types of the widget toolkit: coordinates, fixed-width integers,
// mouse-event results, the button-state word, virtual key codes and knob
// modes. Everything the toolkit exchanges with the platform layer and with
// controls is expressed in these.
#pragma once

#include <cstdint>

namespace VSTGUI {

typedef int32_t int32;
typedef uint32_t uint32;
typedef int16_t int16;
typedef double CCoord;

// What a view answers to a mouse event.
enum CMouseEventResult : int32 {
    kMouseEventNotImplemented = 0,
    kMouseEventHandled = 1,
    kMouseEventNotHandled = 2,
    // Handled, and the view wants no move or release events for this gesture.
    kMouseDownEventHandledButDontNeedMovedOrUpEvents = 3,
};

// Mouse buttons and modifier keys as one 32-bit word. The platform layer
// reports a left click with the Control key down as the right button (the
// secondary-click convention); the Control flag stays set in that case.
enum CButtonStateFlags : int32 {
    kLButton = 1 << 1,       // 2
    kMButton = 1 << 2,       // 4
    kRButton = 1 << 3,       // 8
    kShift = 1 << 4,         // 16
    kCommand = 1 << 5,       // 32: the command key (the fine-drag key)
    kOption = 1 << 6,        // 64: the option / alt key (the reset key)
    kControlKey = 1 << 7,    // 128: the control key
    kButton4 = 1 << 8,       // 256
    kButton5 = 1 << 9,       // 512
    kMouseButtonMask = kLButton | kMButton | kRButton | kButton4 | kButton5,
    kModifierMask = kShift | kCommand | kOption | kControlKey,
};

// The button-state word handed with every mouse event.
class CButtonState {
public:
    CButtonState(int32 state = 0) : m_state(state) {}
    int32 getButtonState() const { return m_state; }
    operator int32() const { return m_state; }
    bool isSet(int32 flag) const { return (m_state & flag) == flag; }
    // Only the mouse buttons of the word.
    int32 getButtons() const { return m_state & kMouseButtonMask; }
    // Only the modifier keys of the word.
    int32 getModifiers() const { return m_state & kModifierMask; }
    bool operator==(const CButtonState& other) const { return m_state == other.m_state; }
    bool operator!=(const CButtonState& other) const { return m_state != other.m_state; }

private:
    int32 m_state;
};

// Keys without a printable character. A key event carries either a
// character (virt == 0) or one of these.
enum VirtualKey : unsigned char {
    VKEY_NONE = 0,
    VKEY_BACK,
    VKEY_TAB,
    VKEY_CLEAR,
    VKEY_RETURN,
    VKEY_PAUSE,
    VKEY_ESCAPE,
    VKEY_SPACE,
    VKEY_NEXT,
    VKEY_END,
    VKEY_HOME,
    VKEY_LEFT,
    VKEY_UP,
    VKEY_RIGHT,
    VKEY_DOWN,
    VKEY_PAGEUP,
    VKEY_PAGEDOWN,
    VKEY_SELECT,
    VKEY_PRINT,
    VKEY_ENTER,
    VKEY_SNAPSHOT,
    VKEY_INSERT,
    VKEY_DELETE,
    VKEY_HELP,
};

// Modifier bits of a key event.
enum KeyModifier : unsigned char {
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1,  // option
    MODIFIER_COMMAND = 1 << 2,
    MODIFIER_CONTROL = 1 << 3,
};

// One key press: a character or a virtual key, plus modifiers.
struct VstKeyCode {
    int32 character = 0;
    unsigned char virt = VKEY_NONE;
    unsigned char modifier = 0;
};

// How knobs follow the mouse. The frame asks its editor for the mode.
enum CKnobMode : int32 {
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};

// Result of a key handler: handled, or not handled (offer it elsewhere).
constexpr int32 kKeyHandled = 1;
constexpr int32 kKeyNotHandled = -1;

}  // namespace VSTGUI
