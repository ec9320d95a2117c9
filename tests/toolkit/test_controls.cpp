// Controls on their own, and the reader of typed text (lenient and strict).
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "ToolkitTestSupport.h"
#include "toolkit/TypedText.h"

using namespace VSTGUI;
using toolkit_test::RecordingListener;
using Events = std::vector<std::string>;

namespace {

OwnedPointer<CKnob> NewKnob(CControlListener* listener, int32 tag) {
    return OwnedPointer<CKnob>(new CKnob(CRect(0, 0, 60, 60), listener, tag, nullptr, nullptr));
}

}  // namespace

TEST(Knob, DragsByKnobMode) {
    using Path = std::vector<std::pair<CPoint, int32>>;  // press first, then moves
    const int32 L = kLButton;
    const struct { const char* description; int32 mode; float start; Path path; float expected; } cases[] = {
        {"dead gap, left of bottom", kCircularMode, 0.25f, {{{29, 59}, L}}, 0.0f},
        {"dead gap, right of bottom", kCircularMode, 0.25f, {{{31, 59}, L}}, 1.0f},
        {"centre keeps the value", kCircularMode, 0.25f, {{{30, 30}, L}}, 0.25f},
        {"circular follows the angle", kCircularMode, 0.0f, {{{10, 50}, L}, {{30, 0}, L}}, 0.5f},
        {"circular holds the end across the gap", kCircularMode, 0.0f,
         {{{50, 50}, L}, {{31, 59}, L}, {{20, 55}, L}}, 1.0f},
        {"relative circular moves by the angle", kRelativCircularMode, 0.2f,
         {{{0, 30}, L}, {{30, 0}, L}}, 0.2f + (0.5f - 1.0f / 6)},
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

// A wheel of so many notches when no key is given, else the key. (One notch, the fine
// wheel and arrow up: Frame.FocusFollowsClicksAndCarriesKeysWheelGoesUnderThePointer.)
TEST(Knob, WheelAndArrowKeysStepTheValue) {
    const struct { const char* description; float start, wheel; VirtualKey key; bool fine; float expected; }
        cases[] = {
        {"wheel down two notches", 0.5f, -2, VKEY_NONE, false, 0.3f},
        {"wheel past the top clamps", 0.95f, 1, VKEY_NONE, false, 1.0f},
        {"wheel at the top changes nothing", 1.0f, 1, VKEY_NONE, false, 1.0f},
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
        VstKeyCode key;
        key.virt = c.key;
        key.modifier = c.fine ? MODIFIER_COMMAND : 0;
        if (c.key == VKEY_NONE) {
            EXPECT_TRUE(knob->onWheel(CPoint(30, 30), c.wheel, c.fine ? kCommand : 0));
        } else {
            EXPECT_EQ(knob->onKeyDown(key), kKeyHandled);
        }
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6);
        ASSERT_EQ(listener.events.size(), c.expected == c.start ? 0u : 3u);
        if (listener.events.empty()) continue;
        EXPECT_EQ(listener.events[0] + " " + listener.events[1].substr(0, 8) + " " + listener.events[2],
                  "begin:3 value:3= end:3");
    }
    VstKeyCode letter;
    letter.character = 'a';
    EXPECT_EQ(NewKnob(nullptr, 3)->onKeyDown(letter), kKeyNotHandled);
}

TEST(Control, DefaultValueClickNeedsLeftButtonAloneAndOption) {
    const Events reset = {"begin:4", "end:4", "value:4=0.25"};
    const struct { const char* description; int32 buttons; float start; bool taken; Events events; }
        cases[] = {
        {"left with option and shift", kLButton | kOption | kShift, 0.9f, true, reset},
        {"already at the default: taken, no change", kLButton | kOption, 0.25f, true, {"begin:4", "end:4"}},
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

TEST(KickButton, ReportsAtTheRelease) {
    const Events pushed = {"begin:12", "value:12=1", "value:12=0", "end:12"};
    const struct { const char* description; int32 button; std::vector<CPoint> moves; Events expected; }
        cases[] = {
        {"released over the button", kLButton, {CPoint(5, 5)}, pushed},
        {"dragged off, released outside", kLButton, {CPoint(50, 50)}, {"begin:12", "value:12=0", "end:12"}},
        {"dragged off and back", kLButton, {CPoint(50, 50), CPoint(3, 3)}, pushed},
        {"the right button does nothing", kRButton, {CPoint(5, 5)}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        RecordingListener listener;
        OwnedPointer<CKickButton> button(new CKickButton(CRect(0, 0, 20, 10), &listener, 12, nullptr));
        CPoint press(5, 5);
        const bool left = c.button == kLButton;
        EXPECT_EQ(button->onMouseDown(press, c.button), left ? kMouseEventHandled : kMouseEventNotHandled);
        EXPECT_FLOAT_EQ(button->getValue(), left ? 1.0f : 0.0f);
        if (!left) continue;
        for (CPoint move : c.moves) button->onMouseMoved(move, kLButton);
        CPoint release = c.moves.back();
        button->onMouseUp(release, kLButton);
        EXPECT_EQ(listener.events, c.expected);
        EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
    }
}

TEST(TextEdit, TypingCommittingAndCancelling) {
    // Steps: "click", "cmd-a", a key name below, or else text typed.
    const std::map<std::string, VirtualKey> keys = {
        {"RETURN", VKEY_RETURN}, {"ENTER", VKEY_ENTER}, {"TAB", VKEY_TAB},     {"ESCAPE", VKEY_ESCAPE},
        {"LEFT", VKEY_LEFT},     {"RIGHT", VKEY_RIGHT}, {"HOME", VKEY_HOME},   {"END", VKEY_END},
        {"BACK", VKEY_BACK},     {"DELETE", VKEY_DELETE}, {"SPACE", VKEY_SPACE}};
    const struct { const char* description; const char* initial; std::vector<std::string> steps;
        const char* expectedText; bool reported; bool stillEditing; } cases[] = {
        {"enter key commits too", "0.00", {"click", "7", "ENTER"}, "7", true, false},
        {"tab commits", "0.00", {"click", "7", "TAB"}, "7", true, false},
        {"unchanged commit reports nothing", "abc", {"click", "RETURN"}, "abc", false, false},
        {"second click appends", "abc", {"click", "click", "d", "RETURN"}, "abcd", true, false},
        {"left collapses to the start", "abc", {"click", "LEFT", "x", "RETURN"}, "xabc", true, false},
        {"backspace at the end", "abc", {"click", "END", "BACK", "BACK", "RETURN"}, "a", true, false},
        {"delete at the start", "abc", {"click", "HOME", "DELETE", "RETURN"}, "bc", true, false},
        {"backspace clears the selection", "abc", {"click", "BACK", "7", "RETURN"}, "7", true, false},
        {"right, left moves the caret", "ab", {"click", "RIGHT", "LEFT", "-", "RETURN"}, "a-b", true, false},
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
            code.virt = keys.count(step) ? keys.at(step) : VKEY_NONE;
            code.modifier = step == "cmd-a" ? MODIFIER_COMMAND : 0;
            if (step == "click") {
                edit->onMouseDown(where, kLButton);
            } else if (code.virt != VKEY_NONE) {
                edit->onKeyDown(code);
            } else {
                for (char ch : step == "cmd-a" ? std::string("a") : step) {
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

TEST(TypedText, WordsByFirstLettersOrWhole) {
    using TypedText::WordMatch;
    const std::vector<std::string> colours = {"Silver", "Gold", "Rich", "Fat", "Deep"};
    const std::vector<std::string> switches = {"Off", "On"};
    const struct { const char* text; const std::vector<std::string>* names; WordMatch match; int found; }
        cases[] = {
        {"G", &colours, WordMatch::Prefix, 1},      {"gx", &colours, WordMatch::Prefix, 1},
        {"deep", &colours, WordMatch::Prefix, 4},   {"x", &colours, WordMatch::Prefix, -1},
        {"", &colours, WordMatch::Prefix, -1},      {"ON", &switches, WordMatch::Prefix, 1},
        {"of", &switches, WordMatch::Prefix, 0},    {"ofxyz", &switches, WordMatch::Prefix, 0},
        {"o", &switches, WordMatch::Prefix, -1},    {"yes", &switches, WordMatch::Prefix, -1},
        {"gold", &colours, WordMatch::Whole, 1},    {"gol", &colours, WordMatch::Whole, -1},
        {"Golden", &colours, WordMatch::Whole, -1}, {"oFF", &switches, WordMatch::Whole, 0},
        {nullptr, &colours, WordMatch::Prefix, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(TypedText::FindWord(c.text, *c.names, c.match), c.found);
    }
}

TEST(TypedText, NumbersLenientAndStrict) {
    const struct { const char* text; double leading; bool plain, whole, startsWithNumber; } cases[] = {
        {"40", 40.0, true, true, true},        {"-2.5", -2.5, true, false, true},
        {"+6", 6.0, true, true, true},         {" 12abc", 12.0, false, false, true},
        {"abc", 0.0, false, false, false},     {"1e3", 1000.0, true, false, true},
        {"1e", 1.0, false, false, true},       {".5", 0.5, true, false, true},
        {"1e999", HUGE_VAL, true, false, true}, {"-1e999", -HUGE_VAL, true, false, true},
        {"1e-999", 0.0, true, false, true},    {"", 0.0, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedText::LeadingNumber(c.text), c.leading);
        EXPECT_EQ(TypedText::IsPlainNumber(c.text, false), c.plain);
        EXPECT_EQ(TypedText::IsPlainNumber(c.text, true), c.whole);
        EXPECT_EQ(TypedText::StartsWithNumber(c.text), c.startsWithNumber);
    }
    EXPECT_TRUE(std::isnan(TypedText::LeadingNumber("nan")));
    EXPECT_EQ(TypedText::LeadingNumber(nullptr), 0.0);
}
