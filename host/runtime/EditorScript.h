// A small language that drives an open editor as a person would, one
// action per line:
//
//   press X Y [MODIFIER...]     press the left button at (X, Y)
//   drag X Y [MODIFIER...]      move there with the button held
//   release X Y [MODIFIER...]   let the button go there
//   click X Y [MODIFIER...]     press and release at one point
//   wheel X Y DELTA [MODIFIER...]  turn the wheel DELTA notches (+ away from you)
//   key NAME|CHAR [MODIFIER...] one key: a name (KeyNames()) or one character
//   type TEXT                   one key per character (into the focused display)
//   enter                       the Return key (commits a display)
//   escape                      the Escape key (cancels a display)
//   snapshot FILE               save what the editor shows as a PNG file
//
// X and Y are view pixels; MODIFIER is shift, ctrl (control), alt (option,
// opt) or cmd (command), in any case. Words are separated by blanks; a word
// in double quotes may hold blanks, '#' and \" or \\. An unquoted word
// starting with '#' begins a comment that runs to the end of the line, and
// blank lines are skipped. TEXT is the rest of the line's words joined by
// single blanks.
//
// A script is read and checked in full before anything runs: a bad line
// is reported with where it came from, and a press must be ended by a
// release before the next press or click, a drag or release needs a press
// before it, and no press may be left open at the end.
//
// Main thread (the user-interface thread of this host).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/CLinuxNativeView.h"

class EditorSession;

struct EditorAction {
    enum class Kind { Press, Drag, Release, Click, Wheel, Key, Type, Enter, Escape, Snapshot };
    Kind kind = Kind::Click;
    VSTGUI::CPoint where;            // mouse actions
    uint32_t modifiers = 0;          // CLinuxNativeView::ModifierKey bits
    float distance = 0.0f;           // wheel notches
    int32_t character = 0;           // key: a printable character, or
    VSTGUI::VirtualKey virtualKey = VSTGUI::VKEY_NONE;  // a virtual key
    std::string text;                // type: the text; snapshot: the file
    std::string origin;              // "actions.txt line 3", for messages
};

class EditorScript {
public:
    // Writes a snapshot of the session to path; false with a message.
    using SnapshotWriter = std::function<bool(const EditorSession& session, const std::string& path, std::string* error)>;

    // Appends the actions of text, one per line; origin names its source
    // in messages ("<origin> line N"). False with a message naming the
    // first bad line; nothing of text is appended then.
    bool AddLines(const std::string& text, const std::string& origin, std::string* error);
    // Appends one action; origin names it in messages as it stands.
    bool AddLine(const std::string& line, const std::string& origin, std::string* error);
    // Checks that presses and releases pair up; false with a message.
    bool Check(std::string* error) const;

    const std::vector<EditorAction>& Actions() const { return m_Actions; }

    // Runs every action on an open session. Keys that no control takes (no
    // control has the keyboard focus) are reported in *warnings, one line
    // each; a snapshot that cannot be written stops the run with false and
    // the writer's message.
    bool Run(EditorSession& session, const SnapshotWriter& writeSnapshot, std::vector<std::string>* warnings,
             std::string* error) const;

    // The names the key action accepts, in the order the help lists them.
    static std::vector<std::string> KeyNames();

private:
    std::vector<EditorAction> m_Actions;
};
