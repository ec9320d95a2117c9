// A view with a value: range, default value, the value at the last redraw
// (for dirty tracking), a listener and a tag. Values set through setValue()
// are clamped to the range and reported to nobody; changes made by the user
// are reported to the listener by the control's own event handlers, with
// beginEdit() and endEdit() around each gesture.
//
// User-interface thread only.
#pragma once

#include "CView.h"

namespace VSTGUI {

class CControlListener;

class CControl : public CView {
public:
    // The fine-adjustment modifier (command) and the reset modifier (option).
    static constexpr int32 kZoomModifier = kCommand;
    static constexpr int32 kDefaultValueModifier = kOption;
    // Value change per wheel notch, as a fraction of the range 0 to 1.
    static constexpr float kDefaultWheelIncrement = 0.1f;

    CControl(const CRect& size, CControlListener* listener = nullptr, int32 tag = 0,
             CBitmap* background = nullptr);
    // A copy has the same range, value, listener and tag, and no edit in progress.
    CControl(const CControl& other);

    // Clamped to min and max; no listener is told.
    virtual void setValue(float value);
    virtual float getValue() const { return m_value; }
    virtual void setMin(float minimum) { m_vmin = minimum; }
    virtual float getMin() const { return m_vmin; }
    virtual void setMax(float maximum) { m_vmax = maximum; }
    virtual float getMax() const { return m_vmax; }
    virtual void setOldValue(float value) { m_oldValue = value; }
    virtual float getOldValue() const { return m_oldValue; }
    virtual void setDefaultValue(float value) { m_defaultValue = value; }
    virtual float getDefaultValue() const { return m_defaultValue; }
    // Limits the value to min and max.
    virtual void bounceValue();

    // A press with the left button alone (of the mouse buttons) and the
    // reset modifier sets the default value: begin of edit, the value set,
    // end of edit, then the listener is told if the value changed. True when
    // the press was such a press (the gesture is over).
    virtual bool checkDefaultValue(const CButtonState& buttons);

    // Tell the listener (and the editor, by tag) that an edit begins or ends.
    virtual void beginEdit();
    virtual void endEdit();
    bool isEditing() const { return m_editDepth > 0; }
    // Tells the listener that the value changed.
    virtual void valueChanged();

    // Dirty while the value differs from the value at the last redraw.
    bool isDirty() const override;
    // Clean also makes the old value equal to the value.
    void setDirty(bool dirty = true) override;

    void setListener(CControlListener* listener) { m_pListener = listener; }
    CControlListener* getListener() const { return m_pListener; }
    void setTag(int32 tag) { m_tag = tag; }
    int32 getTag() const { return m_tag; }
    void setWheelInc(float increment) { m_wheelInc = increment; }
    float getWheelInc() const { return m_wheelInc; }

    bool isTypeOf(const char* name) const override;

protected:
    CControlListener* m_pListener;
    int32 m_tag;
    float m_value = 0.0f;
    float m_vmin = 0.0f;
    float m_vmax = 1.0f;
    float m_oldValue = 1.0f;
    float m_defaultValue = 0.5f;
    float m_wheelInc = kDefaultWheelIncrement;
    int32 m_editDepth = 0;
};

}  // namespace VSTGUI
