// Threads check: one instance driven from three threads at once, for a
// bounded time, the way a host divides the work:
//
//   audio thread       before each block picks up the newest packet the
//                      data model posted (DeliverPackets), then runs the
//                      process procedure (RenderBlock); it never calls into
//                      the data model.
//   automation thread  the host's automation playback: posts playback
//                      values for random parameters into the host's
//                      automation queue; it never calls into the data model.
//                      Values for a parameter the user holds in a gesture
//                      are dropped when answered, as hosts suspend playback
//                      of a touched parameter.
//   user-interface     the host's main and user-interface thread: drives
//   thread             the editor with random gestures, answers the queued
//                      requests (UpdateParameterNormalizedValue, and the
//                      editor told), and has the data model generate its
//                      coefficients. It is the only thread that enters the
//                      data model and the editor, as their contract asks
//                      (parameters are not locked; the dispatcher is).
//
// Built with ThreadSanitizer, the run must produce no report. Without it,
// the check verifies that audio stays finite, that every request is
// answered and that the panel ends consistent with the state.
#include <atomic>
#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "host/runtime/EditorSession.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"
#include "host/runtime/ValidationChecks.h"
#include "host/runtime/ValidationGestures.h"
#include "host/runtime/ValidationSupport.h"

using namespace validation;

namespace {

constexpr const char* kGroup = "threads";
constexpr int32_t kBlockSize = 256;
// The automation thread keeps the queue at most this long, so that it
// stays within the host's reserved capacity.
constexpr size_t kMostPendingRequests = 32;

// Stop signals: the user-interface thread ends the automation before it
// takes its last look at the panel; the main thread ends the audio last.
struct ThreadSignals {
    std::atomic<bool> stopAutomation{false};
    std::atomic<bool> automationStopped{false};
    std::atomic<bool> stopAudio{false};
};

struct ThreadCounts {
    std::atomic<int64_t> blocks{0};
    std::atomic<int64_t> nonFiniteBlocks{0};
    std::atomic<int64_t> requestsPosted{0};
    int64_t gestures = 0;
    int64_t reopenings = 0;
    int64_t coefficientFailures = 0;
    bool editorOpened = false;
    bool panelConsistent = false;
};

void AudioThread(EffectInstance& instance, const AudioChannels& input, ThreadSignals& signals,
                 ThreadCounts& counts) {
    AudioChannels output = input;
    std::vector<float*> inputs, outputs;
    for (size_t channel = 0; channel < input.size(); ++channel) {
        inputs.push_back(const_cast<float*>(input[channel].data()));
        outputs.push_back(output[channel].data());
    }
    while (!signals.stopAudio.load()) {
        instance.DeliverPackets();
        instance.RenderBlock(inputs.data(), outputs.data(), kBlockSize);
        if (!AllFinite(output)) counts.nonFiniteBlocks.fetch_add(1);
        counts.blocks.fetch_add(1);
    }
}

void AutomationThread(EffectInstance& instance, const std::vector<std::string>& ids, uint64_t seed,
                      ThreadSignals& signals, ThreadCounts& counts) {
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<size_t> pickID(0, ids.size() - 1);
    std::uniform_real_distribution<double> pickValue(0.0, 1.0);
    HostAutomationDelegate& automation = instance.Automation();
    while (!signals.stopAutomation.load()) {
        if (automation.PendingSetValueRequests() >= kMostPendingRequests) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        if (automation.PostPlaybackValue(ids[pickID(random)].c_str(), pickValue(random)) == AAX_SUCCESS)
            counts.requestsPosted.fetch_add(1);
    }
    signals.automationStopped.store(true);
}

// The user-interface thread's whole life: the editor is made, used and
// destroyed here.
void UserInterfaceThread(const PluginModule& module, EffectInstance& instance, uint64_t seed, double seconds,
                         ThreadSignals& signals, ThreadCounts& counts) {
    std::mt19937_64 random(seed);
    std::string error;
    if (!HasEditor(module)) {
        // Without an editor this thread only lets the others run their time.
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        signals.stopAutomation.store(true);
        return;
    }
    std::unique_ptr<EditorSession> session = EditorSession::Create(module.CreateEditor(), instance, &error);
    if (!session || session->Open() != AAX_SUCCESS) {
        signals.stopAutomation.store(true);
        return;
    }
    counts.editorOpened = true;
    const double end = ValidationClockSeconds() + seconds;
    while (ValidationClockSeconds() < end) {
        PerformRandomGesture(*session, instance, random, false);
        ++counts.gestures;
        instance.AnswerRequests();
        if (instance.Parameters().GenerateCoefficients() != AAX_SUCCESS) ++counts.coefficientFailures;
        if (counts.gestures % 25 == 0) {
            session->Close();
            session->Open();
            ++counts.reopenings;
        }
    }
    // With the automation ended and its last requests answered, the panel
    // must show the state.
    signals.stopAutomation.store(true);
    while (!signals.automationStopped.load()) std::this_thread::yield();
    instance.AnswerRequests();
    counts.panelConsistent = PanelShowsCurrentState(*session);
}

void CheckThreads(ValidationRun& run, const PluginModule& module, CheckOutcome& check) {
    std::string error;
    std::unique_ptr<EffectInstance> instance = NewInstance(run, module, RateOr(run, 48000.0f), AAX_eStemFormat_Stereo, &error);
    if (!check.Expect(instance != nullptr, error)) return;
    // The host's main thread prepares the first block before audio starts.
    if (!check.Expect(instance->PrepareBlock() == AAX_SUCCESS, "the data model failed to generate its coefficients"))
        return;
    // A long-running host keeps no log of automation events.
    instance->Automation().KeepEventLog(false);
    const std::vector<std::string> ids = ParameterIDs(instance->Parameters());
    const AudioChannels input = Noise(run.Random(), instance->Channels(), kBlockSize, 0.8f);
    const uint64_t automationSeed = run.Random()(), interfaceSeed = run.Random()();
    const double seconds = run.Budget().threadSeconds;

    ThreadCounts counts;
    ThreadSignals signals;
    const double start = ValidationClockSeconds();
    std::thread audio(AudioThread, std::ref(*instance), std::cref(input), std::ref(signals), std::ref(counts));
    std::thread automation(AutomationThread, std::ref(*instance), std::cref(ids), automationSeed, std::ref(signals),
                           std::ref(counts));
    std::thread userInterface(UserInterfaceThread, std::cref(module), std::ref(*instance), interfaceSeed, seconds,
                              std::ref(signals), std::ref(counts));
    userInterface.join();
    automation.join();
    signals.stopAudio.store(true);
    audio.join();
    const double elapsed = ValidationClockSeconds() - start;

    // Back on the main thread: the last requests answered and delivered.
    const size_t lastAnswered = instance->AnswerRequests();
    instance->Parameters().GenerateCoefficients();
    for (const std::string& id : ids) {
        const double value = NormalizedValue(instance->Parameters(), id);
        check.Expect(std::isfinite(value) && value >= 0.0 && value <= 1.0, "'" + id + "' ends at " + std::to_string(value));
    }
    check.Figure(Milliseconds(elapsed) + ": " + std::to_string(counts.blocks.load()) + " blocks of " +
                 std::to_string(kBlockSize));
    check.Figure(std::to_string(counts.requestsPosted.load()) + " automation requests (" +
                 std::to_string(lastAnswered) + " left to answer at the end)");
    check.Figure(std::to_string(counts.gestures) + " gestures, " + std::to_string(counts.reopenings) + " reopenings");
    check.Expect(counts.editorOpened || !HasEditor(module), "the editor did not open on the user-interface thread");
    check.Expect(counts.blocks.load() > 0, "the audio thread processed no block");
    check.Expect(counts.requestsPosted.load() > 0, "the automation thread posted no request");
    check.Expect(counts.nonFiniteBlocks.load() == 0,
                 std::to_string(counts.nonFiniteBlocks.load()) + " block(s) of non-finite output");
    check.Expect(counts.coefficientFailures == 0, "generating coefficients failed " +
                                                      std::to_string(counts.coefficientFailures) + " time(s)");
    check.Expect(!counts.editorOpened || counts.panelConsistent, "the panel ends inconsistent with the state");
    check.Expect(instance->Automation().PendingSetValueRequests() == 0, "requests left unanswered");
}

}  // namespace

void RunThreadChecks(ValidationRun& run) {
    run.CheckWithModule(kGroup, "audio, automation and editor at once",
                        [&](const PluginModule& module, CheckOutcome& check) { CheckThreads(run, module, check); });
}
