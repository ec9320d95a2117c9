// Controls on their own: the knob's angle mapping, wheel and arrow keys and
// its mouse drags, the default-value click, the kick button's reports and
// the text edit's typing, committing and cancelling.
#include <gtest/gtest.h>

#include <map>

#include "ToolkitTestSupport.h"

using namespace VSTGUI;
using toolkit_test::RecordingListener;
using Events = std::vector<std::string>;

namespace {

OwnedPointer<CKnob> NewKnob(CControlListener* listener, int32 tag) {
    return OwnedPointer<CKnob>(new CKnob(CRect(0, 0, 60, 60), listener, tag, nullptr, nullptr));
}

}  // namespace

TEST(Knob, CircularPointToValueMapping) {
    auto knob = NewKnob(nullptr, 2);
    knob->setValue(0.25f);
    const struct { const char* where; CPoint point; float expected; } cases[] = {
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
}

TEST(Knob, WheelAndArrowKeysStepTheValue) {
    const struct {
        const char* description;
        float start;
        float wheel;     // notches, when no key is given
        VirtualKey key;  // else this key
        bool fine;
        float expected;
    } cases[] = {
        {"wheel up one notch", 0.5f, 1, VKEY_NONE, false, 0.6f},
        {"wheel down two notches", 0.5f, -2, VKEY_NONE, false, 0.3f},
        {"wheel with the fine key", 0.5f, 1, VKEY_NONE, true, 0.51f},
        {"wheel past the top clamps", 0.95f, 1, VKEY_NONE, false, 1.0f},
        {"wheel at the top changes nothing", 1.0f, 1, VKEY_NONE, false, 1.0f},
        {"arrow up", 0.5f, 0, VKEY_UP, false, 0.6f},
        {"arrow right", 0.5f, 0, VKEY_RIGHT, false, 0.6f},
        {"arrow down", 0.5f, 0, VKEY_DOWN, false, 0.4f},
        {"arrow left with the fine key", 0.5f, 0, VKEY_LEFT, true, 0.49f},
        {"arrow down at the bottom", 0.0f, 0, VKEY_DOWN, false, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        auto knob = NewKnob(&listener, 3);
        knob->setValue(c.start);
        if (c.key == VKEY_NONE) {
            EXPECT_TRUE(knob->onWheel(CPoint(30, 30), c.wheel, c.fine ? kCommand : 0));
        } else {
            VstKeyCode key;
            key.virt = c.key;
            key.modifier = c.fine ? MODIFIER_COMMAND : 0;
            EXPECT_EQ(knob->onKeyDown(key), kKeyHandled);
        }
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
        if (c.expected == c.start) {
            EXPECT_TRUE(listener.events.empty());
            continue;
        }
        ASSERT_EQ(listener.events.size(), 3u);
        EXPECT_EQ(listener.events[0], "begin:3");
        EXPECT_EQ(listener.events[1].substr(0, 8), "value:3=");
        EXPECT_EQ(listener.events[2], "end:3");
    }
    VstKeyCode letter;
    letter.character = 'a';
    EXPECT_EQ(NewKnob(nullptr, 3)->onKeyDown(letter), kKeyNotHandled);
}

TEST(Control, DefaultValueClickNeedsLeftButtonAloneAndOption) {
    const struct { const char* description; int32 buttons; float start; bool taken; Events events; } cases[] = {
        {"left with option", kLButton | kOption, 0.9f, true, {"begin:4", "end:4", "value:4=0.25"}},
        {"left with option and shift", kLButton | kOption | kShift, 0.9f, true, {"begin:4", "end:4", "value:4=0.25"}},
        {"already at the default: taken, nothing changes", kLButton | kOption, 0.25f, true, {"begin:4", "end:4"}},
        {"left alone", kLButton, 0.9f, false, {}},
        {"left and right with option", kLButton | kRButton | kOption, 0.9f, false, {}},
        {"right with option", kRButton | kOption, 0.9f, false, {}},
        {"left with command", kLButton | kCommand, 0.9f, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        auto knob = NewKnob(&listener, 4);
        knob->setValue(c.start);
        knob->setDefaultValue(0.25f);
        EXPECT_EQ(knob->checkDefaultValue(c.buttons), c.taken);
        EXPECT_FLOAT_EQ(knob->getValue(), c.taken ? 0.25f : c.start);
        EXPECT_EQ(listener.events, c.events);
    }
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
        RecordingListener listener;
        OwnedPointer<CFrame> frame(new CFrame(CRect(0, 0, 200, 200), nullptr, &editor));
        CKnob* knob = NewKnob(&listener, 5).release();
        knob->setValue(c.start);
        frame->addView(knob);
        for (size_t i = 0; i < c.path.size(); ++i) {
            CPoint where = c.path[i].first;
            if (i == 0) frame->onMouseDown(where, c.path[i].second);
            else frame->onMouseMoved(where, c.path[i].second);
        }
        CPoint release = c.path.back().first;
        frame->onMouseUp(release, kLButton);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-5);
        EXPECT_EQ(listener.events.front(), "begin:5");
        EXPECT_EQ(listener.events.back(), "end:5");
    }
}

TEST(KickButton, ReportsAtTheRelease) {
    const struct { const char* description; std::vector<CPoint> moves; CPoint release; Events expected; } cases[] = {
        {"released over the button", {}, CPoint(5, 5), {"begin:12", "value:12=1", "value:12=0", "end:12"}},
        {"dragged off and released outside", {CPoint(50, 50)}, CPoint(50, 50), {"begin:12", "value:12=0", "end:12"}},
        {"dragged off and back", {CPoint(50, 50), CPoint(3, 3)}, CPoint(3, 3),
         {"begin:12", "value:12=1", "value:12=0", "end:12"}},
    };
    CPoint press(5, 5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        OwnedPointer<CKickButton> button(new CKickButton(CRect(0, 0, 20, 10), &listener, 12, nullptr));
        EXPECT_EQ(button->onMouseDown(press, kLButton), kMouseEventHandled);
        EXPECT_FLOAT_EQ(button->getValue(), 1.0f);
        for (CPoint move : c.moves) button->onMouseMoved(move, kLButton);
        CPoint release = c.release;
        button->onMouseUp(release, kLButton);
        EXPECT_EQ(listener.events, c.expected);
        EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
    }
    RecordingListener listener;
    OwnedPointer<CKickButton> button(new CKickButton(CRect(0, 0, 20, 10), &listener, 12, nullptr));
    EXPECT_EQ(button->onMouseDown(press, kRButton), kMouseEventNotHandled);
    EXPECT_TRUE(listener.events.empty());
}

TEST(TextEdit, TypingCommittingAndCancelling) {
    // Steps: "click", "cmd-a", a key name below, or else text typed.
    const std::map<std::string, VirtualKey> keys = {
        {"RETURN", VKEY_RETURN}, {"ENTER", VKEY_ENTER}, {"TAB", VKEY_TAB},   {"ESCAPE", VKEY_ESCAPE},
        {"LEFT", VKEY_LEFT},     {"RIGHT", VKEY_RIGHT}, {"HOME", VKEY_HOME}, {"END", VKEY_END},
        {"BACK", VKEY_BACK},     {"DELETE", VKEY_DELETE}, {"SPACE", VKEY_SPACE}};
    const struct { const char* description; const char* initial; std::vector<std::string> steps;
        const char* expectedText; bool reported; bool stillEditing; } cases[] = {
        {"typing replaces the selected text", "0.00", {"click", "50", "RETURN"}, "50", true, false},
        {"enter key commits too", "0.00", {"click", "7", "ENTER"}, "7", true, false},
        {"tab commits", "0.00", {"click", "7", "TAB"}, "7", true, false},
        {"escape cancels", "0.00", {"click", "5", "ESCAPE"}, "0.00", false, false},
        {"unchanged commit reports nothing", "abc", {"click", "RETURN"}, "abc", false, false},
        {"second click appends", "abc", {"click", "click", "d", "RETURN"}, "abcd", true, false},
        {"left collapses to the start", "abc", {"click", "LEFT", "x", "RETURN"}, "xabc", true, false},
        {"backspace at the end", "abc", {"click", "END", "BACK", "BACK", "RETURN"}, "a", true, false},
        {"delete at the start", "abc", {"click", "HOME", "DELETE", "RETURN"}, "bc", true, false},
        {"backspace clears the selection", "abc", {"click", "BACK", "7", "RETURN"}, "7", true, false},
        {"right then left moves the caret", "ab", {"click", "RIGHT", "LEFT", "-", "RETURN"}, "a-b", true, false},
        {"space key inserts a blank", "ab", {"click", "END", "SPACE", "RETURN"}, "ab ", true, false},
        {"command-a selects all again", "ab", {"click", "END", "cmd-a", "z", "RETURN"}, "z", true, false},
        {"control characters are ignored", "ab", {"click", "\x01", "RETURN"}, "ab", false, false},
        {"no commit yet", "ab", {"click", "9"}, "ab", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        OwnedPointer<CTextEdit> edit(new CTextEdit(CRect(0, 0, 60, 20), &listener, 7, c.initial));
        for (const std::string& step : c.steps) {
            CPoint where(5, 5);
            VstKeyCode code;
            if (step == "click") {
                edit->onMouseDown(where, kLButton);
            } else if (step == "cmd-a") {
                code.character = 'a';
                code.modifier = MODIFIER_COMMAND;
                edit->onKeyDown(code);
            } else if (keys.count(step)) {
                code.virt = keys.at(step);
                edit->onKeyDown(code);
            } else {
                for (char ch : step) {
                    code.character = ch;
                    edit->onKeyDown(code);
                }
            }
        }
        EXPECT_STREQ(edit->getText(), c.expectedText);
        EXPECT_EQ(edit->isTextEditing(), c.stillEditing);
        Events expected = {"begin:7"};
        if (c.reported) expected.push_back("value:7=0");
        if (!c.stillEditing) expected.push_back("end:7");
        EXPECT_EQ(listener.events, expected);
    }
}

TEST(TextEdit, LengthLimitAndIdleKeys) {
    OwnedPointer<CTextEdit> edit(new CTextEdit(CRect(0, 0, 60, 20), nullptr, 8));
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
}
