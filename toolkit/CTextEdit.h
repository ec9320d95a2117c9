// An editable one-line text field, drawn like a CParamDisplay showing its
// text.
//
// Decided behaviours:
// - A left click gives the field the keyboard focus and starts an edit
//   with the whole text selected, so typing replaces it; a further click
//   while editing deselects and puts the caret at the end.
// - Typing inserts printable ASCII characters (space to tilde) at the
//   caret, replacing the selection, up to kMaxTextLength characters; others
//   are ignored. Command-A selects everything.
// - Backspace and Delete remove the selection, or the character before or
//   after the caret; Left, Right, Home and End move the caret (Left and
//   Right first collapse a selection to its start or end).
// - Enter, Return and Tab commit; losing the focus (a click elsewhere)
//   commits too; Escape cancels and restores the text shown before.
// - A commit whose text differs from the text shown before the edit sets the
//   new text and tells the listener; an unchanged commit tells nobody.
// - An edit begins (beginEdit) when the field takes the focus and ends
//   (endEdit) when it commits or cancels. setText() during an edit changes
//   the shown text but leaves the typing alone.
// - While editing, the field draws the selection in blue and a caret.
//
// User-interface thread only.
#pragma once

#include <cstddef>
#include <string>

#include "CParamDisplay.h"

namespace VSTGUI {

class CTextEdit : public CParamDisplay {
public:
    static constexpr size_t kMaxTextLength = 255;

    CTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text = nullptr,
              CBitmap* background = nullptr, int32 style = 0);
    // A copy shows the same text and is not editing.
    CTextEdit(const CTextEdit& other);

    // Sets the shown text (longer texts are cut to kMaxTextLength) and redraws.
    void setText(const char* text);
    const char* getText() const { return m_text.c_str(); }

    bool isTextEditing() const { return m_bEditing; }
    const std::string& getEditText() const { return m_editText; }
    size_t getCaretPosition() const { return m_caret; }
    bool isAllSelected() const { return m_bAllSelected; }
    // Ends the edit in progress, keeping (commit) or dropping the typing.
    void finishEdit(bool commit);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32 onKeyDown(VstKeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;

    bool isTypeOf(const char* name) const override;
    CView* newCopy() const override { return new CTextEdit(*this); }

protected:
    std::string displayText() const override { return m_text; }

private:
    void startEdit();
    void replaceSelectionWith(const std::string& text);
    bool editByKey(const VstKeyCode& keyCode);

    std::string m_text;
    std::string m_editText;
    size_t m_caret = 0;
    bool m_bEditing = false;
    bool m_bAllSelected = false;
    // The edit was started by the press being handled now.
    bool m_bFreshFocus = false;
};

}  // namespace VSTGUI
