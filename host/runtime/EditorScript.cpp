#include "EditorScript.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "host/runtime/EditorSession.h"

namespace {

using Kind = EditorAction::Kind;
using VSTGUI::CLinuxNativeView;

// What follows an action's name.
enum class Arguments {
    None,         // enter, escape
    Point,        // X Y [MODIFIER...]
    PointDelta,   // X Y DELTA [MODIFIER...]
    KeyWord,      // NAME|CHAR [MODIFIER...]
    Text,         // the rest of the line
    File,         // one word
};

struct ActionRule {
    const char* name;
    Kind kind;
    Arguments arguments;
    const char* usage;
};

const ActionRule kActionRules[] = {
    {"press", Kind::Press, Arguments::Point, "press X Y [MODIFIER...]"},
    {"drag", Kind::Drag, Arguments::Point, "drag X Y [MODIFIER...]"},
    {"release", Kind::Release, Arguments::Point, "release X Y [MODIFIER...]"},
    {"click", Kind::Click, Arguments::Point, "click X Y [MODIFIER...]"},
    {"wheel", Kind::Wheel, Arguments::PointDelta, "wheel X Y DELTA [MODIFIER...]"},
    {"key", Kind::Key, Arguments::KeyWord, "key NAME|CHAR [MODIFIER...]"},
    {"type", Kind::Type, Arguments::Text, "type TEXT"},
    {"enter", Kind::Enter, Arguments::None, "enter"},
    {"escape", Kind::Escape, Arguments::None, "escape"},
    {"snapshot", Kind::Snapshot, Arguments::File, "snapshot FILE"},
};

struct NamedBits {
    const char* name;
    uint32_t bits;
};
const NamedBits kModifierNames[] = {
    {"shift", CLinuxNativeView::kShiftModifier},    {"ctrl", CLinuxNativeView::kControlModifier},
    {"control", CLinuxNativeView::kControlModifier}, {"alt", CLinuxNativeView::kOptionModifier},
    {"option", CLinuxNativeView::kOptionModifier},  {"opt", CLinuxNativeView::kOptionModifier},
    {"cmd", CLinuxNativeView::kCommandModifier},    {"command", CLinuxNativeView::kCommandModifier},
};

struct NamedKey {
    const char* name;
    VSTGUI::VirtualKey key;
};
const NamedKey kKeyNames[] = {
    {"return", VSTGUI::VKEY_RETURN}, {"enter", VSTGUI::VKEY_ENTER},       {"tab", VSTGUI::VKEY_TAB},
    {"escape", VSTGUI::VKEY_ESCAPE}, {"backspace", VSTGUI::VKEY_BACK},    {"delete", VSTGUI::VKEY_DELETE},
    {"left", VSTGUI::VKEY_LEFT},     {"right", VSTGUI::VKEY_RIGHT},       {"up", VSTGUI::VKEY_UP},
    {"down", VSTGUI::VKEY_DOWN},     {"home", VSTGUI::VKEY_HOME},         {"end", VSTGUI::VKEY_END},
    {"pageup", VSTGUI::VKEY_PAGEUP}, {"pagedown", VSTGUI::VKEY_PAGEDOWN}, {"space", VSTGUI::VKEY_SPACE},
};

std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Quoted(const std::string& word) { return "\"" + word + "\""; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits a line into words: blanks separate, double quotes group (with \"
// and \\ inside), an unquoted word starting with '#' ends the line.
bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error) {
    size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) ++i;
                word += line[i];
            }
            if (i == line.size()) {
                *error = "a quoted word has no closing quote";
                return false;
            }
            ++i;  // the closing quote
        } else {
            while (i < line.size() && !IsBlank(line[i])) word += line[i++];
        }
        words->push_back(word);
    }
    return true;
}

bool ParseNumber(const std::string& word, double* value) {
    if (word.empty()) return false;
    char* end = nullptr;
    const double parsed = std::strtod(word.c_str(), &end);
    if (end != word.c_str() + word.size() || !std::isfinite(parsed)) return false;
    *value = parsed;
    return true;
}

// Words from first on are modifier names.
bool ParseModifiers(const std::vector<std::string>& words, size_t first, uint32_t* modifiers, std::string* error) {
    for (size_t i = first; i < words.size(); ++i) {
        const std::string name = Lower(words[i]);
        bool known = false;
        for (const NamedBits& modifier : kModifierNames)
            if (name == modifier.name) {
                *modifiers |= modifier.bits;
                known = true;
            }
        if (!known) {
            *error = "unknown modifier " + Quoted(words[i]) + " (shift, ctrl, alt or cmd)";
            return false;
        }
    }
    return true;
}

bool ParseKey(const std::string& word, EditorAction* action, std::string* error) {
    const std::string name = Lower(word);
    for (const NamedKey& key : kKeyNames)
        if (name == key.name) {
            action->virtualKey = key.key;
            return true;
        }
    const unsigned char character = word.empty() ? 0 : static_cast<unsigned char>(word[0]);
    if (word.size() == 1 && character >= 0x20 && character <= 0x7E) {
        action->character = character;
        return true;
    }
    std::string names;
    for (const NamedKey& key : kKeyNames) names += std::string(names.empty() ? "" : ", ") + key.name;
    *error = "unknown key " + Quoted(word) + " (one character, or one of " + names + ")";
    return false;
}

bool ParsePoint(const std::vector<std::string>& words, const ActionRule& rule, EditorAction* action,
                std::string* error) {
    double x = 0.0, y = 0.0;
    if (words.size() < 3) {
        *error = std::string(rule.name) + " needs a point: " + rule.usage;
        return false;
    }
    if (!ParseNumber(words[1], &x) || !ParseNumber(words[2], &y)) {
        const std::string& bad = ParseNumber(words[1], &x) ? words[2] : words[1];
        *error = Quoted(bad) + " is not a coordinate: " + rule.usage;
        return false;
    }
    action->where = VSTGUI::CPoint(x, y);
    return true;
}

bool ParseArguments(const std::vector<std::string>& words, const ActionRule& rule, EditorAction* action,
                    std::string* error) {
    switch (rule.arguments) {
        case Arguments::None:
            if (words.size() == 1) return true;
            *error = std::string(rule.name) + " takes nothing after it";
            return false;
        case Arguments::Point:
            return ParsePoint(words, rule, action, error) && ParseModifiers(words, 3, &action->modifiers, error);
        case Arguments::PointDelta: {
            if (!ParsePoint(words, rule, action, error)) return false;
            double distance = 0.0;
            if (words.size() < 4 || !ParseNumber(words[3], &distance)) {
                *error = std::string(rule.name) + " needs a number of notches: " + rule.usage;
                return false;
            }
            action->distance = float(distance);
            return ParseModifiers(words, 4, &action->modifiers, error);
        }
        case Arguments::KeyWord:
            if (words.size() < 2) {
                *error = std::string(rule.name) + " needs a key: " + rule.usage;
                return false;
            }
            return ParseKey(words[1], action, error) && ParseModifiers(words, 2, &action->modifiers, error);
        case Arguments::Text:
            for (size_t i = 1; i < words.size(); ++i) action->text += (i > 1 ? " " : "") + words[i];
            if (!action->text.empty()) return true;
            *error = std::string(rule.name) + " needs text: " + rule.usage;
            return false;
        case Arguments::File:
            if (words.size() == 2 && !words[1].empty()) {
                action->text = words[1];
                return true;
            }
            *error = std::string(rule.name) + " needs one file name: " + rule.usage;
            return false;
    }
    return false;
}

// One line to an action; false (and no action) for a blank or comment
// line, with *error set when the line is bad.
bool ParseLine(const std::string& line, EditorAction* action, std::string* error) {
    std::vector<std::string> words;
    if (!SplitWords(line, &words, error) || words.empty()) return false;
    const std::string name = Lower(words[0]);
    for (const ActionRule& rule : kActionRules)
        if (name == rule.name) {
            action->kind = rule.kind;
            return ParseArguments(words, rule, action, error);
        }
    std::string names;
    for (const ActionRule& rule : kActionRules) names += std::string(names.empty() ? "" : ", ") + rule.name;
    *error = "unknown action " + Quoted(words[0]) + " (" + names + ")";
    return false;
}

bool AnyKeyTaken(EditorSession& session, const EditorAction& action) {
    switch (action.kind) {
        case Kind::Key: return session.KeyDown(action.character, action.virtualKey, action.modifiers);
        case Kind::Type: return session.TypeText(action.text);
        case Kind::Enter: return session.KeyDown(0, VSTGUI::VKEY_RETURN, 0);
        case Kind::Escape: return session.KeyDown(0, VSTGUI::VKEY_ESCAPE, 0);
        default: return true;
    }
}

}  // namespace

bool EditorScript::AddLine(const std::string& line, const std::string& origin, std::string* error) {
    EditorAction action;
    std::string problem;
    if (!ParseLine(line, &action, &problem)) {
        if (problem.empty()) problem = "no action";
        *error = origin + ": " + problem;
        return false;
    }
    action.origin = origin;
    m_Actions.push_back(action);
    return true;
}

bool EditorScript::AddLines(const std::string& text, const std::string& origin, std::string* error) {
    std::vector<EditorAction> added;
    size_t start = 0;
    for (int lineNumber = 1; start <= text.size(); ++lineNumber) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        EditorAction action;
        std::string problem;
        if (ParseLine(line, &action, &problem)) {
            action.origin = origin + " line " + std::to_string(lineNumber);
            added.push_back(action);
        } else if (!problem.empty()) {
            *error = origin + " line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    m_Actions.insert(m_Actions.end(), added.begin(), added.end());
    return true;
}

bool EditorScript::Check(std::string* error) const {
    const EditorAction* openPress = nullptr;
    for (const EditorAction& action : m_Actions) {
        const bool needsPress = action.kind == Kind::Drag || action.kind == Kind::Release;
        const bool startsPress = action.kind == Kind::Press || action.kind == Kind::Click;
        if (needsPress && !openPress) {
            *error = action.origin + ": " + (action.kind == Kind::Drag ? "drag" : "release") +
                     " without a press before it";
            return false;
        }
        if (startsPress && openPress) {
            *error = action.origin + ": the button is still pressed (since " + openPress->origin +
                     "); release it first";
            return false;
        }
        if (action.kind == Kind::Press) openPress = &action;
        if (action.kind == Kind::Release) openPress = nullptr;
    }
    if (openPress) {
        *error = openPress->origin + ": the press is never released";
        return false;
    }
    return true;
}

bool EditorScript::Run(EditorSession& session, const SnapshotWriter& writeSnapshot,
                       std::vector<std::string>* warnings, std::string* error) const {
    const uint32_t left = CLinuxNativeView::kLeftButton;
    for (const EditorAction& action : m_Actions) {
        switch (action.kind) {
            case Kind::Press: session.MouseDown(action.where, left, action.modifiers); break;
            case Kind::Drag: session.MouseMoved(action.where, left, action.modifiers); break;
            case Kind::Release: session.MouseUp(action.where, left, action.modifiers); break;
            case Kind::Click:
                session.MouseDown(action.where, left, action.modifiers);
                session.MouseUp(action.where, left, action.modifiers);
                break;
            case Kind::Wheel: session.MouseWheel(action.where, action.distance, action.modifiers); break;
            case Kind::Snapshot: {
                std::string problem;
                if (!writeSnapshot(session, action.text, &problem)) {
                    *error = action.origin + ": " + problem;
                    return false;
                }
                break;
            }
            case Kind::Key:
            case Kind::Type:
            case Kind::Enter:
            case Kind::Escape:
                if (!AnyKeyTaken(session, action) && warnings)
                    warnings->push_back(action.origin + ": no control has the keyboard focus; the keys went nowhere");
                break;
        }
    }
    return true;
}

std::vector<std::string> EditorScript::KeyNames() {
    std::vector<std::string> names;
    for (const NamedKey& key : kKeyNames) names.push_back(key.name);
    return names;
}
