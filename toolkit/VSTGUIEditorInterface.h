// What a frame asks of the editor that owns it: idle time, the knob mode,
// begin and end of an edit by control tag, permission to resize, and the
// frame itself. The editor keeps its frame in `frame` (set by the editor,
// one reference held by it); getFrame() returns it.
//
// User-interface thread only.
#pragma once

#include "CRect.h"

namespace VSTGUI {

class CFrame;

class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;

    // Idle time for the editor; nothing by default.
    virtual void doIdleStuff() {}
    // How knobs follow the mouse (CKnobMode); circular by default.
    virtual int32 getKnobMode() const { return kCircularMode; }
    // A control with this tag begins or ends an edit; nothing by default.
    virtual void beginEdit(int32 /*index*/) {}
    virtual void endEdit(int32 /*index*/) {}
    // The frame is about to change from oldSize to newSize; false refuses.
    virtual bool beforeSizeChange(const CRect& /*newSize*/, const CRect& /*oldSize*/) { return true; }
    virtual CFrame* getFrame() const { return frame; }

protected:
    VSTGUIEditorInterface() = default;

    CFrame* frame = nullptr;
};

}  // namespace VSTGUI
