// orvanta editor --window: the editor in a real X11 window, a top-level
// window of its own or embedded in a window given by its id, driven by a
// person until the window is closed.
//
// Main thread only (the program's user-interface thread).
#pragma once

#include <string>
#include <vector>

#include "CliCommon.h"

class EditorSession;

// --window and --parent.
std::vector<OptionRule> EditorWindowOptions();
// Opens the editor in a window titled title when the options ask for one
// (--window or --parent), offscreen otherwise. False with a failure: no display (exit
// code 73), or a --parent that is no window id or names no window (64).
bool OpenEditorView(EditorSession& editor, const std::string& title, const ParsedOptions& options,
                    CliFailure* failure);
// With a window: shows it, then delivers its input to the editor, and gives the editor
// idle time, until the window manager closes the window, the parent window
// goes away, or SIGINT or SIGTERM arrives. Returns at once offscreen.
void RunEditorWindow(EditorSession& editor);
// After the editor is closed: false with a failure (exit code 70) naming
// every X protocol error the window's connection met.
bool WindowClosedCleanly(CliFailure* failure);
