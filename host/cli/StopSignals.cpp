#include "StopSignals.h"

#include <csignal>
#include <cstring>

namespace {
volatile sig_atomic_t g_Arrived = 0;

extern "C" void NoteStopSignal(int signalNumber) {
    if (g_Arrived == 0) g_Arrived = signalNumber;
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ, SIGALRM, SIGUSR1, SIGUSR2};
}  // namespace

namespace StopSignals {

void Install() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    for (int signalNumber : kStopSignals) {
        struct sigaction current;
        if (sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
        struct sigaction note;
        std::memset(&note, 0, sizeof note);
        note.sa_handler = NoteStopSignal;
        sigemptyset(&note.sa_mask);
        note.sa_flags = 0;  // no SA_RESTART: a waiting call returns
        sigaction(signalNumber, &note, nullptr);
    }
}

int Arrived() { return g_Arrived; }

CliFailure Failure() {
    const int signalNumber = g_Arrived;
    const char* name = sigabbrev_np(signalNumber);
    return CliFailure{128 + signalNumber, std::string("stopped by SIG") + (name ? name : std::to_string(signalNumber)) +
                                              " before the output was complete"};
}

}  // namespace StopSignals
