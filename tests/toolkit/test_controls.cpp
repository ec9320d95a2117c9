// Controls on their own: the knob's angle mapping, wheel and arrow keys and
// its mouse drags, the default-value click, the kick button's reports and
// the text edit's typing, committing and cancelling.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"

using namespace VSTGUI;
using toolkit_test::RecordingListener;
using Events = std::vector<std::string>;

TEST(Knob, CircularPointToValueMapping) {
    RecordingListener listener;
    CKnob* knob = new CKnob(CRect(0, 0, 60, 60), &listener, 2, nullptr, nullptr);
    knob->setValue(0.25f);
    const struct {
        const char* where;
        CPoint point;
        float expected;
    } cases[] = {
        {"start of the sweep, lower left", CPoint(10, 50), 0.0f},
        {"left", CPoint(0, 30), 1.0f / 6},
        {"top", CPoint(30, 0), 0.5f},
        {"right", CPoint(60, 30), 5.0f / 6},
        {"end of the sweep, lower right", CPoint(50, 50), 1.0f},
        {"dead gap, left of bottom", CPoint(29, 59), 0.0f},
        {"dead gap, right of bottom", CPoint(31, 59), 1.0f},
        {"centre keeps the value", CPoint(30, 30), 0.25f},
    };
    for (const auto& c : cases) {
        CPoint p = c.point;
        EXPECT_NEAR(knob->valueFromPoint(p), c.expected, 1e-6) << c.where;
    }
    knob->forget();
}

TEST(Knob, WheelAndArrowKeysStepTheValue) {
    const struct {
        const char* description;
        float start;
        bool wheel;  // else a key
        float distance;
        VirtualKey key;
        bool fine;
        float expected;
    } cases[] = {
        {"wheel up one notch", 0.5f, true, 1, VKEY_NONE, false, 0.6f},
        {"wheel down two notches", 0.5f, true, -2, VKEY_NONE, false, 0.3f},
        {"wheel with the fine key", 0.5f, true, 1, VKEY_NONE, true, 0.51f},
        {"wheel past the top clamps", 0.95f, true, 1, VKEY_NONE, false, 1.0f},
        {"wheel at the top changes nothing", 1.0f, true, 1, VKEY_NONE, false, 1.0f},
        {"arrow up", 0.5f, false, 0, VKEY_UP, false, 0.6f},
        {"arrow right", 0.5f, false, 0, VKEY_RIGHT, false, 0.6f},
        {"arrow down", 0.5f, false, 0, VKEY_DOWN, false, 0.4f},
        {"arrow left with the fine key", 0.5f, false, 0, VKEY_LEFT, true, 0.49f},
        {"arrow down at the bottom", 0.0f, false, 0, VKEY_DOWN, false, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        CKnob* knob = new CKnob(CRect(0, 0, 60, 60), &listener, 3, nullptr, nullptr);
        knob->setValue(c.start);
        if (c.wheel) {
            EXPECT_TRUE(knob->onWheel(CPoint(30, 30), c.distance, c.fine ? kCommand : 0));
        } else {
            VstKeyCode key;
            key.virt = c.key;
            key.modifier = c.fine ? MODIFIER_COMMAND : 0;
            EXPECT_EQ(knob->onKeyDown(key), kKeyHandled);
        }
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
        if (c.expected != c.start) {
            ASSERT_EQ(listener.events.size(), 3u);
            EXPECT_EQ(listener.events[0], "begin:3");
            EXPECT_EQ(listener.events[1].substr(0, 8), "value:3=");
            EXPECT_EQ(listener.events[2], "end:3");
        } else {
            EXPECT_TRUE(listener.events.empty());
        }
        knob->forget();
    }
    CKnob* knob = new CKnob(CRect(0, 0, 60, 60), nullptr, 3, nullptr, nullptr);
    VstKeyCode letter;
    letter.character = 'a';
    EXPECT_EQ(knob->onKeyDown(letter), kKeyNotHandled);
    knob->forget();
}

TEST(Control, DefaultValueClickNeedsLeftButtonAloneAndOption) {
    const struct {
        const char* description;
        int32 buttons;
        bool taken;
    } cases[] = {
        {"left with option", kLButton | kOption, true},
        {"left with option and shift", kLButton | kOption | kShift, true},
        {"left alone", kLButton, false},
        {"left and right with option", kLButton | kRButton | kOption, false},
        {"right with option", kRButton | kOption, false},
        {"left with command", kLButton | kCommand, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        CKnob* knob = new CKnob(CRect(0, 0, 60, 60), &listener, 4, nullptr, nullptr);
        knob->setValue(0.9f);
        knob->setDefaultValue(0.25f);
        EXPECT_EQ(knob->checkDefaultValue(c.buttons), c.taken);
        EXPECT_FLOAT_EQ(knob->getValue(), c.taken ? 0.25f : 0.9f);
        EXPECT_EQ(listener.events, c.taken ? Events({"begin:4", "end:4", "value:4=0.25"}) : Events());
        knob->forget();
    }
    // Already at the default: the click is still taken, but nothing changes.
    RecordingListener listener;
    CKnob* knob = new CKnob(CRect(0, 0, 60, 60), &listener, 4, nullptr, nullptr);
    knob->setValue(0.5f);
    EXPECT_TRUE(knob->checkDefaultValue(kLButton | kOption));
    EXPECT_EQ(listener.events, Events({"begin:4", "end:4"}));
    knob->forget();
}

TEST(Knob, DragsByKnobMode) {
    const struct {
        const char* description;
        int32 mode;
        float start;
        std::vector<std::pair<CPoint, int32>> path;  // press first, then moves
        float expected;
    } cases[] = {
        {"linear 50 pixels up", kLinearMode, 0.5f, {{{30, 30}, kLButton}, {{30, -20}, kLButton}}, 0.75f},
        {"linear 50 pixels right", kLinearMode, 0.5f, {{{30, 30}, kLButton}, {{80, 30}, kLButton}}, 0.75f},
        {"linear fine drag", kLinearMode, 0.5f,
         {{{30, 30}, kLButton | kCommand}, {{30, -30}, kLButton | kCommand}}, 0.5f + 60.0f / 300},
        {"linear past the top clamps", kLinearMode, 0.9f, {{{30, 30}, kLButton}, {{30, -300}, kLButton}}, 1.0f},
        {"circular follows the angle", kCircularMode, 0.0f, {{{10, 50}, kLButton}, {{30, 0}, kLButton}}, 0.5f},
        {"circular holds the end across the gap", kCircularMode, 0.0f,
         {{{50, 50}, kLButton}, {{31, 59}, kLButton}, {{20, 55}, kLButton}}, 1.0f},
        {"relative circular moves by the angle", kRelativCircularMode, 0.2f,
         {{{0, 30}, kLButton}, {{30, 0}, kLButton}}, 0.2f + (0.5f - 1.0f / 6)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        toolkit_test::TestEditor editor(c.mode);
        CFrame* frame = new CFrame(CRect(0, 0, 200, 200), nullptr, &editor);
        RecordingListener listener;
        CKnob* knob = new CKnob(CRect(0, 0, 60, 60), &listener, 5, nullptr, nullptr);
        knob->setValue(c.start);
        frame->addView(knob);
        CPoint press = c.path.front().first;
        frame->onMouseDown(press, c.path.front().second);
        for (size_t i = 1; i < c.path.size(); ++i) {
            CPoint move = c.path[i].first;
            frame->onMouseMoved(move, c.path[i].second);
        }
        CPoint release = c.path.back().first;
        frame->onMouseUp(release, kLButton);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-5);
        EXPECT_EQ(listener.events.front(), "begin:5");
        EXPECT_EQ(listener.events.back(), "end:5");
        frame->forget();
    }
}

TEST(KickButton, ReportsAtTheRelease) {
    const struct {
        const char* description;
        std::vector<CPoint> moves;
        CPoint release;
        Events expected;
    } cases[] = {
        {"released over the button", {}, CPoint(5, 5), {"begin:12", "value:12=1", "value:12=0", "end:12"}},
        {"dragged off and released outside", {CPoint(50, 50)}, CPoint(50, 50),
         {"begin:12", "value:12=0", "end:12"}},
        {"dragged off and back", {CPoint(50, 50), CPoint(3, 3)}, CPoint(3, 3),
         {"begin:12", "value:12=1", "value:12=0", "end:12"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        CKickButton* button = new CKickButton(CRect(0, 0, 20, 10), &listener, 12, nullptr);
        CPoint press(5, 5);
        EXPECT_EQ(button->onMouseDown(press, kLButton), kMouseEventHandled);
        EXPECT_FLOAT_EQ(button->getValue(), 1.0f);
        for (CPoint move : c.moves) button->onMouseMoved(move, kLButton);
        CPoint release = c.release;
        button->onMouseUp(release, kLButton);
        EXPECT_EQ(listener.events, c.expected);
        EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
        button->forget();
    }
    RecordingListener listener;
    CKickButton* button = new CKickButton(CRect(0, 0, 20, 10), &listener, 12, nullptr);
    CPoint press(5, 5);
    EXPECT_EQ(button->onMouseDown(press, kRButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.events.empty());
    button->forget();
}

namespace {

// One step of a text-edit session.
struct Step {
    enum Kind { kClick, kType, kKey, kCommandKey } kind;
    std::string text;
    VirtualKey key = VKEY_NONE;
};
Step click() { return {Step::kClick, "", VKEY_NONE}; }
Step type(const std::string& text) { return {Step::kType, text, VKEY_NONE}; }
Step key(VirtualKey k) { return {Step::kKey, "", k}; }
Step commandKey(char c) { return {Step::kCommandKey, std::string(1, c), VKEY_NONE}; }

}  // namespace

TEST(TextEdit, TypingCommittingAndCancelling) {
    const std::string changed = "value:7=0";
    const struct {
        const char* description;
        const char* initial;
        std::vector<Step> steps;
        const char* expectedText;
        bool reported;
        bool stillEditing;
    } cases[] = {
        {"typing replaces the selected text", "0.00", {click(), type("50"), key(VKEY_RETURN)}, "50", true, false},
        {"enter key commits too", "0.00", {click(), type("7"), key(VKEY_ENTER)}, "7", true, false},
        {"tab commits", "0.00", {click(), type("7"), key(VKEY_TAB)}, "7", true, false},
        {"escape cancels", "0.00", {click(), type("5"), key(VKEY_ESCAPE)}, "0.00", false, false},
        {"unchanged commit reports nothing", "abc", {click(), key(VKEY_RETURN)}, "abc", false, false},
        {"second click appends", "abc", {click(), click(), type("d"), key(VKEY_RETURN)}, "abcd", true, false},
        {"left collapses to the start", "abc", {click(), key(VKEY_LEFT), type("x"), key(VKEY_RETURN)}, "xabc", true, false},
        {"backspace at the end", "abc", {click(), key(VKEY_END), key(VKEY_BACK), key(VKEY_BACK), key(VKEY_RETURN)}, "a", true, false},
        {"delete at the start", "abc", {click(), key(VKEY_HOME), key(VKEY_DELETE), key(VKEY_RETURN)}, "bc", true, false},
        {"backspace clears the selection", "abc", {click(), key(VKEY_BACK), type("7"), key(VKEY_RETURN)}, "7", true, false},
        {"right then left moves the caret", "ab", {click(), key(VKEY_RIGHT), key(VKEY_LEFT), type("-"), key(VKEY_RETURN)}, "a-b", true, false},
        {"space key inserts a blank", "ab", {click(), key(VKEY_END), key(VKEY_SPACE), key(VKEY_RETURN)}, "ab ", true, false},
        {"command-a selects all again", "ab", {click(), key(VKEY_END), commandKey('a'), type("z"), key(VKEY_RETURN)}, "z", true, false},
        {"control characters are ignored", "ab", {click(), type("\x01"), key(VKEY_RETURN)}, "ab", false, false},
        {"no commit yet", "ab", {click(), type("9")}, "ab", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        CTextEdit* edit = new CTextEdit(CRect(0, 0, 60, 20), &listener, 7, c.initial);
        for (const Step& step : c.steps) {
            CPoint where(5, 5);
            VstKeyCode code;
            switch (step.kind) {
                case Step::kClick:
                    edit->onMouseDown(where, kLButton);
                    break;
                case Step::kType:
                    for (char ch : step.text) {
                        code.character = ch;
                        edit->onKeyDown(code);
                    }
                    break;
                case Step::kKey:
                    code.virt = step.key;
                    edit->onKeyDown(code);
                    break;
                case Step::kCommandKey:
                    code.character = step.text[0];
                    code.modifier = MODIFIER_COMMAND;
                    edit->onKeyDown(code);
                    break;
            }
        }
        EXPECT_STREQ(edit->getText(), c.expectedText);
        EXPECT_EQ(edit->isTextEditing(), c.stillEditing);
        Events expected = {"begin:7"};
        if (c.reported) expected.push_back(changed);
        if (!c.stillEditing) expected.push_back("end:7");
        EXPECT_EQ(listener.events, expected);
        edit->forget();
    }
}

TEST(TextEdit, LengthLimitAndIdleKeys) {
    CTextEdit* edit = new CTextEdit(CRect(0, 0, 60, 20), nullptr, 8);
    VstKeyCode code;
    code.character = '1';
    EXPECT_EQ(edit->onKeyDown(code), kKeyNotHandled) << "keys need an edit in progress";
    edit->setText(std::string(400, 'x').c_str());
    EXPECT_EQ(std::string(edit->getText()).size(), CTextEdit::kMaxTextLength);
    CPoint where(1, 1);
    edit->onMouseDown(where, kLButton);
    for (int i = 0; i < 300; ++i) edit->onKeyDown(code);
    EXPECT_EQ(edit->getEditText(), std::string(CTextEdit::kMaxTextLength, '1'));
    edit->finishEdit(true);
    EXPECT_EQ(std::string(edit->getText()), std::string(CTextEdit::kMaxTextLength, '1'));
    edit->forget();
}
