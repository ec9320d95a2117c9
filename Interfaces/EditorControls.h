// What an editor's panel tells a host about its controls (where each one
// lies, its tag, what kind of control it is and which parameter it drives)
// and about the bitmap resources it draws.
// A host finds it on the frame the editor attached to the host's native
// view (dynamic_cast of the frame); an editor without it simply has no
// controls to tell of.
//
// User-interface thread, while the panel exists; the texts returned stay
// valid as long as the panel does.
#pragma once

#include <cstddef>
#include <cstdint>

struct SEditorControl {
    enum class EKind {
        Knob,     // dragged, wheeled, stepped with the arrow keys
        Display,  // shows the parameter's value; takes typed text
        Button,   // a click sets the parameter to value
    };
    int32_t tag = 0;
    double left = 0, top = 0, right = 0, bottom = 0;  // panel pixels
    EKind kind = EKind::Knob;
    const char* parameterID = "";
    double value = 0.0;  // Button: the normalized value a click sets
};

class IEditorControls {
public:
    virtual ~IEditorControls() = default;
    virtual size_t EditorControlCount() const = 0;
    // index below EditorControlCount(), in the panel's order.
    virtual SEditorControl EditorControlAt(size_t index) const = 0;
    // The integer resource identifiers of every bitmap the panel draws.
    virtual size_t EditorBitmapCount() const = 0;
    virtual int32_t EditorBitmapAt(size_t index) const = 0;
};
