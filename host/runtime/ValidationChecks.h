// The check groups of the validation battery, in the order they run. Each
// group adds its checks to the run, one report line per check.
//
// Main thread.
#pragma once

#include <string>
#include <vector>

class ValidationRun;

struct ValidationGroup {
    const char* name;  // what --only names it by
    const char* summary;
    void (*run)(ValidationRun& run);
};

// Every group, in running order.
const std::vector<ValidationGroup>& ValidationGroups();

// Bundle loading, registration, description and unloading.
void RunLoadingChecks(ValidationRun& run);
// Every rate and layout at every host block size.
void RunAudioChecks(ValidationRun& run);
// Traversal, limits and automation at sample positions.
void RunParameterChecks(ValidationRun& run);
// State chunks: round trips and damaged records.
void RunStateChecks(ValidationRun& run);
// Editor life cycle and gestures.
void RunEditorChecks(ValidationRun& run);
// Non-finite, denormal and huge input, and recovery after NaN.
void RunBadAudioChecks(ValidationRun& run);
// Audio, automation and editor on three threads at once.
void RunThreadChecks(ValidationRun& run);
