#include "EditorWindow.h"

#include <csignal>
#include <cstdlib>

#include "host/runtime/EditorSession.h"
#include "toolkit/CX11NativeView.h"

namespace {

// How often the editor gets idle time while no input arrives, as a host's
// user-interface timer gives it.
constexpr int kIdleIntervalMs = 30;
// X resource ids have 29 bits.
constexpr unsigned long kLargestWindowId = 0x1FFFFFFFul;

volatile std::sig_atomic_t g_StopRequested = 0;

void RequestStop(int) { g_StopRequested = 1; }

// SIGINT and SIGTERM end the loop as a close does, for as long as it runs.
class StopSignals {
public:
    StopSignals() {
        g_StopRequested = 0;
        struct sigaction action {};
        action.sa_handler = RequestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_PreviousInterrupt);
        sigaction(SIGTERM, &action, &m_PreviousTerminate);
    }
    ~StopSignals() {
        sigaction(SIGINT, &m_PreviousInterrupt, nullptr);
        sigaction(SIGTERM, &m_PreviousTerminate, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    struct sigaction m_PreviousInterrupt {};
    struct sigaction m_PreviousTerminate {};
};

// A window id as X tools print it: decimal, or hexadecimal with 0x.
bool ParseWindowId(const std::string& text, unsigned long* id) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (*end != '\0' || value == 0 || value > kLargestWindowId) return false;
    *id = value;
    return true;
}

}  // namespace

std::vector<OptionRule> EditorWindowOptions() {
    return {
        {"--window", "", "open the editor in a window on $DISPLAY until the window is closed"},
        {"--parent", "WINDOW-ID", "open the window inside this window (an X window id, 0x... or decimal)"},
    };
}

bool OpenEditorView(EditorSession& editor, const std::string& title, const ParsedOptions& options,
                    CliFailure* failure) {
    if (!options.Has("--window") && !options.Has("--parent")) {
        editor.Open();
        return true;
    }
    VSTGUI::CX11NativeView::Placement placement;
    if (options.Has("--parent") && !ParseWindowId(options.Last("--parent"), &placement.parent)) {
        *failure = CliFailure{ExitCode::kUsage, "--parent: '" + options.Last("--parent") +
                                                    "' is no window id (a number such as 0x2a00007 or 44040199)"};
        return false;
    }
    const AAX_Point size = editor.ViewSize();
    placement.width = int(size.horz + 0.5f);
    placement.height = int(size.vert + 0.5f);
    placement.title = title;
    VSTGUI::CX11NativeView::Failure why;
    std::unique_ptr<VSTGUI::CX11NativeView> window = VSTGUI::CX11NativeView::create(placement, &why);
    if (!window) {
        // A parent that does not exist is a bad option value; a display
        // that cannot be reached leaves the window uncreated.
        const bool badParent = why.reason == VSTGUI::CX11NativeView::Failure::kNoParent;
        *failure = CliFailure{badParent ? ExitCode::kUsage : ExitCode::kCannotCreate, why.message};
        return false;
    }
    editor.Open(std::move(window));
    return true;
}

void RunEditorWindow(EditorSession& editor) {
    auto* window = dynamic_cast<VSTGUI::CX11NativeView*>(editor.NativeView());
    if (!window) return;
    StopSignals signals;
    window->show();
    while (!window->closeRequested() && !g_StopRequested) {
        window->waitForEvent(kIdleIntervalMs);
        // Each input is answered before the next, as the host does for
        // scripted input.
        while (!window->closeRequested() && window->handleNextEvent()) editor.Idle();
        editor.Idle();
    }
}

bool WindowClosedCleanly(CliFailure* failure) {
    const std::vector<std::string> errors = VSTGUI::CX11NativeView::takeErrors();
    if (errors.empty()) return true;
    std::string message = "the window met " + std::to_string(errors.size()) + " X error(s):";
    for (const std::string& error : errors) message += "\n  " + error;
    *failure = CliFailure{ExitCode::kInternal, message};
    return false;
}
