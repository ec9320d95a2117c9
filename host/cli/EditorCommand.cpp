// orvanta editor: opens the effect's editor in a given state, drives it
// with a person's actions, and reports what it set.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>

#include "AAX_CString.h"
#include "CommandRegistry.h"
#include "EditorWindow.h"
#include "EffectSession.h"
#include "PresetOption.h"
#include "host/runtime/EditorScript.h"
#include "host/runtime/EditorSession.h"

namespace {

// The instance the editor belongs to; what it shows does not depend on it.
constexpr int kSampleRate = 48000;
constexpr int kChannels = 2;

// A whole file's text; false for a folder or a file that cannot be read.
bool ReadTextFile(const std::string& path, std::string* text) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    text->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// The actions of every --actions file and --do option, in command-line order.
bool ReadActions(const ParsedOptions& options, EditorScript* script, CliFailure* failure) {
    int doOption = 0;
    std::string error;
    for (const auto& option : options.options) {
        if (option.first == "--do") {
            if (!script->AddLine(option.second, "--do option " + std::to_string(++doOption), &error)) break;
        } else if (option.first == "--actions") {
            std::string text;
            if (!ReadTextFile(option.second, &text)) {
                *failure = CliFailure{ExitCode::kNoInput, "cannot read actions file '" + option.second + "'"};
                return false;
            }
            if (!script->AddLines(text, option.second, &error)) break;
        }
    }
    if (error.empty() && script->Check(&error)) return true;
    *failure = CliFailure{ExitCode::kUsage, error};
    return false;
}

// Writes path through a temporary file renamed into place.
bool WriteSnapshot(const EditorSession& session, const std::string& path, CliFailure* failure) {
    TemporaryOutput output;
    if (!output.Create(path, failure)) return false;
    const int descriptor = output.ReleaseDescriptor();
    const bool written = session.WriteSnapshot(descriptor);
    const bool closed = close(descriptor) == 0;
    if (!written || !closed) {
        *failure = CliFailure{ExitCode::kIOError, "cannot write snapshot '" + path + "'"};
        return false;
    }
    return output.Commit(failure);
}

// Every parameter's identifier and display string, one per line.
void PrintValues(const AAX_IACFEffectParameters& model) {
    int32_t count = 0;
    model.GetNumberOfParameters(&count);
    std::vector<std::pair<std::string, std::string>> rows;
    size_t width = 0;
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString identifier, value;
        model.GetParameterIDFromIndex(index, &identifier);
        model.GetParameterValueString(identifier.Get(), &value, 32);
        rows.emplace_back(identifier.Length() ? identifier.Get() : "\"\"", value.Get());
        width = std::max(width, rows.back().first.size());
    }
    for (auto& row : rows) {
        row.first.resize(width + 2, ' ');
        std::cout << PrintableText(row.first) << PrintableText(row.second) << "\n";
    }
}

// The instance's editor, created by the module and opened as a host opens it.
std::unique_ptr<EditorSession> OpenEditor(const EffectSession& effect, const ParsedOptions& options,
                                          CliFailure* failure) {
    std::string error;
    std::unique_ptr<EditorSession> editor =
        EditorSession::Create(effect.Module().CreateEditor(), effect.Instance(), &error);
    if (!editor) {
        *failure = CliFailure{ExitCode::kInternal, "cannot create the editor: " + error};
        return nullptr;
    }
    editor->SetHostTakesMouse(options.Has("--host-takes-mouse"));
    // The window takes the effect's name as the effect describes itself.
    const std::vector<std::string>& names = effect.Module().Effect().names;
    if (!OpenEditorView(*editor, names.empty() ? std::string("effect") : names.front(), options, failure))
        return nullptr;
    const AAX_Point size = editor->ViewSize();
    if (!(size.horz >= 1.0f && size.vert >= 1.0f)) {
        *failure = CliFailure{ExitCode::kInternal, "the editor has no size: it found none of its bitmaps (plug-in " +
                                                       effect.Module().Origin() + ")"};
        return nullptr;
    }
    return editor;
}

int RunEditor(const ParsedOptions& options) {
    CliFailure failure;
    if (!options.positionals.empty())
        return Report(CliFailure{ExitCode::kUsage, "editor takes no file arguments (see orvanta editor --help)"});
    EditorScript script;
    if (!ReadActions(options, &script, &failure)) return Report(failure);

    std::unique_ptr<EffectSession> effect = EffectSession::Open(options, kSampleRate, kChannels, 512, &failure);
    if (!effect || !effect->ApplySettings(options, &failure)) return Report(failure);
    std::unique_ptr<EditorSession> editor = OpenEditor(*effect, options, &failure);
    if (!editor) return Report(failure);

    std::vector<std::string> warnings;
    std::string error;
    // A snapshot that fails stops the run with its own exit code.
    const EditorScript::SnapshotWriter writer = [&failure](const EditorSession& session, const std::string& path,
                                                           std::string* why) {
        if (WriteSnapshot(session, path, &failure)) return true;
        *why = failure.message;
        return false;
    };
    if (!script.Run(*editor, writer, &warnings, &error)) return Report(CliFailure{failure.exitCode, error});
    if (!options.Has("--quiet"))
        for (const std::string& warning : warnings) PrintError("warning: " + warning);

    RunEditorWindow(*editor);

    if (options.Has("--snapshot") && !WriteSnapshot(*editor, options.Last("--snapshot"), &failure))
        return Report(failure);
    editor.reset();
    if (!WindowClosedCleanly(&failure)) return Report(failure);
    if (options.Has("--save-preset") &&
        !SavePresetFile(effect->Module(), effect->Instance(), options.Last("--save-preset"), &failure))
        return Report(failure);
    if (!options.Has("--quiet")) PrintValues(effect->Instance().Parameters());
    return ExitCode::kOk;
}

std::vector<OptionRule> EditorOptions() {
    std::vector<OptionRule> options = EffectSession::SettingOptions();
    const std::vector<OptionRule> own = {
        {"--snapshot", "OUT.png", "save what the editor shows after the actions as a PNG image"},
        {"--actions", "FILE", "run the actions in FILE, one per line; may be repeated"},
        {"--do", "ACTION", "run one action, e.g. --do \"click 447 98\"; may be repeated"},
        {"--save-preset", "FILE", "save the state after the actions as a preset file"},
        {"--host-takes-mouse", "", "the host takes the knobs' mouse gestures, so they do not move themselves"},
    };
    options.insert(options.end(), own.begin(), own.end());
    const std::vector<OptionRule> window = EditorWindowOptions();
    options.insert(options.end(), window.begin(), window.end());
    return options;
}

const CommandRegistrar kRegistrar(Command{
    "editor",
    "show the editor in a state, drive it with actions, save a snapshot",
    "orvanta editor [--set ID=VALUE]... [--preset FILE] [--actions FILE | --do ACTION]...\n"
    "                      [--snapshot OUT.png] [--save-preset FILE] [--host-takes-mouse]\n"
    "                      [--window [--parent WINDOW-ID]]",
    "Opens the effect's editor as a host does, in the state that --preset and\n"
    "--set give, runs the actions of --actions files and --do options in the\n"
    "order given, then prints every parameter's identifier and value as the\n"
    "effect displays it. Points are the editor's pixels from its top left\n"
    "corner. Actions, one per line ('#' starts a comment; \"double quotes\"\n"
    "group words):\n"
    "  press X Y [MODIFIER...]        press the left button at (X, Y)\n"
    "  drag X Y [MODIFIER...]         move there with the button held\n"
    "  release X Y [MODIFIER...]      let the button go there\n"
    "  click X Y [MODIFIER...]        press and release at one point\n"
    "  wheel X Y DELTA [MODIFIER...]  turn the wheel DELTA notches (+ is up)\n"
    "  key NAME|CHAR [MODIFIER...]    one key: a character, or return, enter,\n"
    "                                 tab, escape, backspace, delete, left,\n"
    "                                 right, up, down, home, end, pageup,\n"
    "                                 pagedown, space\n"
    "  type TEXT                      type into the display being edited\n"
    "  enter                          commit the display (Return)\n"
    "  escape                         cancel the display's edit\n"
    "  snapshot FILE                  save what the editor shows now (PNG)\n"
    "MODIFIER is shift, ctrl, alt or cmd. A bad action is reported with its\n"
    "line and nothing runs.\n"
    "With --window (or --parent) the editor then opens in a window on the X\n"
    "display $DISPLAY names, for a person to use, until the window is closed\n"
    "(or SIGINT or SIGTERM arrives, or the parent window goes away); --snapshot\n"
    "and the printed values show the state it was left in. In the window, Alt\n"
    "is alt (click to reset a knob), Super is cmd (drag finely).\n",
    EditorOptions(),
    RunEditor,
});

}  // namespace
