#include "CControl.h"

#include <cstring>

#include "CControlListener.h"
#include "CFrame.h"
#include "VSTGUIEditorInterface.h"

namespace VSTGUI {

CControl::CControl(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background)
    : CView(size), m_pListener(listener), m_tag(tag) {
    if (background) setBackground(background);
    setDirty(true);
}

CControl::CControl(const CControl& other)
    : CView(other),
      m_pListener(other.m_pListener),
      m_tag(other.m_tag),
      m_value(other.m_value),
      m_vmin(other.m_vmin),
      m_vmax(other.m_vmax),
      m_oldValue(other.m_oldValue),
      m_defaultValue(other.m_defaultValue),
      m_wheelInc(other.m_wheelInc) {}

void CControl::setValue(float value) {
    m_value = value;
    bounceValue();
}

void CControl::bounceValue() {
    if (m_value > m_vmax)
        m_value = m_vmax;
    else if (m_value < m_vmin)
        m_value = m_vmin;
}

bool CControl::checkDefaultValue(const CButtonState& buttons) {
    if (buttons.getButtons() != kLButton || !buttons.isSet(kDefaultValueModifier)) return false;
    const float before = m_value;
    beginEdit();
    m_value = m_defaultValue;
    bounceValue();
    endEdit();
    if (m_value != before) valueChanged();
    return true;
}

void CControl::beginEdit() {
    ++m_editDepth;
    if (m_pListener) m_pListener->controlBeginEdit(this);
    if (getFrame() && getFrame()->getEditor()) getFrame()->getEditor()->beginEdit(m_tag);
}

void CControl::endEdit() {
    if (m_editDepth > 0) --m_editDepth;
    if (getFrame() && getFrame()->getEditor()) getFrame()->getEditor()->endEdit(m_tag);
    if (m_pListener) m_pListener->controlEndEdit(this);
}

void CControl::valueChanged() {
    if (m_pListener) m_pListener->valueChanged(this);
}

bool CControl::isDirty() const { return m_oldValue != m_value || CView::isDirty(); }

void CControl::setDirty(bool dirty) {
    CView::setDirty(dirty);
    if (!dirty) m_oldValue = m_value;
}

bool CControl::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CControl") == 0) || CView::isTypeOf(name);
}

}  // namespace VSTGUI
