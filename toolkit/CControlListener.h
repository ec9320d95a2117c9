// Receives a control's value changes and the begin and end of its edits.
// Called on the user-interface thread from inside the control's event
// handlers; a listener must not block.
#pragma once

namespace VSTGUI {

class CControl;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    // The control's value changed through the user.
    virtual void valueChanged(CControl* control) = 0;
    // The user starts or ends changing the control (a press to a release).
    virtual void controlBeginEdit(CControl* /*control*/) {}
    virtual void controlEndEdit(CControl* /*control*/) {}
};

}  // namespace VSTGUI
