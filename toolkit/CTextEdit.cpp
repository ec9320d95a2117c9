#include "CTextEdit.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "CFrame.h"

namespace VSTGUI {

namespace {
constexpr CColor kSelectionColor(0x3A, 0x6E, 0xA5);
constexpr CColor kEditFrameColor(0x80, 0x80, 0x80);
}  // namespace

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text,
                     CBitmap* background, int32 style)
    : CParamDisplay(size, background, style) {
    m_pListener = listener;
    m_tag = tag;
    setWantsFocus(true);
    setText(text);
}

CTextEdit::CTextEdit(const CTextEdit& other) : CParamDisplay(other), m_text(other.m_text) {}

void CTextEdit::setText(const char* text) {
    std::string newText = text ? text : "";
    if (newText.size() > kMaxTextLength) newText.resize(kMaxTextLength);
    if (newText == m_text) return;
    m_text = std::move(newText);
    setDirty(true);
    invalid();
}

void CTextEdit::startEdit() {
    if (m_bEditing) return;
    m_bEditing = true;
    m_editText = m_text;
    m_caret = m_editText.size();
    m_bAllSelected = true;
    m_bFreshFocus = true;
    beginEdit();
    setDirty(true);
    invalid();
}

void CTextEdit::finishEdit(bool commit) {
    if (!m_bEditing) return;
    CBaseObjectGuard keepAlive(this);
    m_bEditing = false;
    m_bAllSelected = false;
    if (getFrame() && getFrame()->getFocusView() == this) getFrame()->setFocusView(nullptr);
    const bool changed = commit && m_editText != m_text;
    if (changed) m_text = m_editText;
    m_editText.clear();
    setDirty(true);
    invalid();
    if (changed) valueChanged();
    endEdit();
}

void CTextEdit::takeFocus() { startEdit(); }

void CTextEdit::looseFocus() { finishEdit(true); }

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!buttons.isSet(kLButton)) return kMouseEventNotHandled;
    if (getFrame())
        getFrame()->setFocusView(this);
    else
        startEdit();
    if (m_bFreshFocus) {
        m_bFreshFocus = false;
    } else if (m_bEditing) {
        m_bAllSelected = false;
        m_caret = m_editText.size();
        invalid();
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::replaceSelectionWith(const std::string& text) {
    if (m_bAllSelected) {
        m_editText.clear();
        m_caret = 0;
        m_bAllSelected = false;
    }
    const size_t room = kMaxTextLength - m_editText.size();
    const std::string inserted = text.substr(0, room);
    m_editText.insert(m_caret, inserted);
    m_caret += inserted.size();
}

bool CTextEdit::editByKey(const VstKeyCode& keyCode) {
    switch (keyCode.virt) {
        case VKEY_BACK:
            if (m_bAllSelected)
                replaceSelectionWith("");
            else if (m_caret > 0)
                m_editText.erase(--m_caret, 1);
            return true;
        case VKEY_DELETE:
            if (m_bAllSelected)
                replaceSelectionWith("");
            else if (m_caret < m_editText.size())
                m_editText.erase(m_caret, 1);
            return true;
        case VKEY_LEFT:
            m_caret = m_bAllSelected ? 0 : (m_caret > 0 ? m_caret - 1 : 0);
            m_bAllSelected = false;
            return true;
        case VKEY_RIGHT:
            m_caret = m_bAllSelected ? m_editText.size() : std::min(m_caret + 1, m_editText.size());
            m_bAllSelected = false;
            return true;
        case VKEY_HOME:
            m_caret = 0;
            m_bAllSelected = false;
            return true;
        case VKEY_END:
            m_caret = m_editText.size();
            m_bAllSelected = false;
            return true;
        case VKEY_SPACE:
            replaceSelectionWith(" ");
            return true;
        case VKEY_NONE:
            break;
        default:
            return false;
    }
    if ((keyCode.modifier & MODIFIER_COMMAND) && (keyCode.character == 'a' || keyCode.character == 'A')) {
        m_bAllSelected = true;
        m_caret = m_editText.size();
        return true;
    }
    if (keyCode.modifier & (MODIFIER_COMMAND | MODIFIER_CONTROL)) return false;
    if (keyCode.character < 0x20 || keyCode.character > 0x7E) return false;
    replaceSelectionWith(std::string(1, char(keyCode.character)));
    return true;
}

int32 CTextEdit::onKeyDown(VstKeyCode& keyCode) {
    if (!m_bEditing) return kKeyNotHandled;
    m_bFreshFocus = false;
    switch (keyCode.virt) {
        case VKEY_RETURN:
        case VKEY_ENTER:
        case VKEY_TAB:
            finishEdit(true);
            return kKeyHandled;
        case VKEY_ESCAPE:
            finishEdit(false);
            return kKeyHandled;
        default:
            break;
    }
    if (!editByKey(keyCode)) return kKeyNotHandled;
    setDirty(true);
    invalid();
    return kKeyHandled;
}

void CTextEdit::draw(CDrawContext* context) {
    if (!m_bEditing) {
        CParamDisplay::draw(context);
        return;
    }
    drawField(context);
    context->setFont(m_pFont);
    const CCoord textWidth = context->getStringWidth(m_editText.c_str());
    CCoord textLeft = m_size.left;
    if (m_horiAlign == kCenterText)
        textLeft = std::round(m_size.left + (m_size.getWidth() - textWidth) / 2);
    else if (m_horiAlign == kRightText)
        textLeft = std::round(m_size.right - textWidth);
    CRect inner(m_size);
    inner.inset(1, 2);
    if (m_bAllSelected && !m_editText.empty()) {
        context->setFillColor(kSelectionColor);
        CRect selection(textLeft - 1, inner.top, textLeft + textWidth + 1, inner.bottom);
        selection.bound(inner);
        context->drawRect(selection, kDrawFilled);
    }
    drawText(context, m_editText);
    if (!m_bAllSelected) {
        const CCoord caretX =
            textLeft + context->getStringWidth(m_editText.substr(0, m_caret).c_str()) + 0.5;
        context->setLineWidth(1);
        context->setFrameColor(m_fontColor);
        context->drawLine(CPoint(caretX, inner.top), CPoint(caretX, inner.bottom));
    }
    context->setFrameColor(kEditFrameColor);
    context->drawRect(m_size, kDrawStroked);
    setDirty(false);
}

bool CTextEdit::isTypeOf(const char* name) const {
    return (name && std::strcmp(name, "CTextEdit") == 0) || CParamDisplay::isTypeOf(name);
}

}  // namespace VSTGUI
