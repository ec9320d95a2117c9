// What the validation checks share: instances created as a host creates
// them, the data model's parameters read through its interface, test
// signals, renders on fresh threads in chosen block sizes, and bitwise
// comparisons of audio.
//
// Main thread, except where a function says it starts a thread.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "AAX.h"
#include "AAX_IACFEffectParameters.h"
#include "host/runtime/AudioRenderer.h"
#include "host/runtime/EffectInstance.h"

class PluginModule;
class ValidationRun;

namespace validation {

// The six rates and both layouts the effect supports.
// The rates and layouts the module's description registers (mono and
// stereo of the host's; any rate of either layout). Without a module, one
// of each, so that the checks run and report the failure to load.
std::vector<float> SupportedRates(ValidationRun& run);
std::vector<AAX_EStemFormat> SupportedLayouts(ValidationRun& run);
// preferred when the module supports it, else the supported rate nearest it.
float RateOr(ValidationRun& run, float preferred);
// Whether the model has a parameter with that identifier.
bool HasParameter(const AAX_IACFEffectParameters& model, const std::string& id);
// Whether the module names an editor factory.
bool HasEditor(const PluginModule& module);
std::string RateText(float sampleRate);       // "48000 Hz"
std::string LayoutText(AAX_EStemFormat stem);  // "mono", "stereo"
std::string Milliseconds(double seconds);     // "12.3 ms"

// An instance of the module's effect for a rate and layout, with the run's
// process-procedure override if it has one. Null with *error.
std::unique_ptr<EffectInstance> NewInstance(const ValidationRun& run, const PluginModule& module, float sampleRate,
                                            AAX_EStemFormat stemFormat, std::string* error,
                                            int32_t maxBlockSize = 4096);

// ---- parameters, through the data model's interface ----
std::vector<std::string> ParameterIDs(const AAX_IACFEffectParameters& model);
std::string MasterBypassID(const AAX_IACFEffectParameters& model);
// NaN when the model refuses.
double NormalizedValue(const AAX_IACFEffectParameters& model, const std::string& id);
std::string ValueString(const AAX_IACFEffectParameters& model, const std::string& id);
std::string StringFromValue(const AAX_IACFEffectParameters& model, const std::string& id, double normalized);
int32_t NumberOfSteps(const AAX_IACFEffectParameters& model, const std::string& id);
bool IsDiscrete(const AAX_IACFEffectParameters& model, const std::string& id);
// The normalized value of step k of steps (0 .. 1 evenly; 0 for one step).
double StepValue(int32_t k, int32_t steps);

// A parameter and a normalized value for it.
struct Setting {
    std::string id;
    double normalized = 0.0;
};
using Settings = std::vector<Setting>;
// Applies settings as host automation; false with *error when refused.
bool Apply(EffectInstance& instance, const Settings& settings, std::string* error);
// A random value for every parameter but the master bypass; discrete
// parameters get one of their steps.
Settings RandomSettings(const AAX_IACFEffectParameters& model, std::mt19937_64& random);
// The identifiers of the parameters of one type (discrete or continuous),
// bypass left out.
std::vector<std::string> ParametersOfType(const AAX_IACFEffectParameters& model, AAX_EParameterType wanted,
                                          const std::string& bypass);
// The same setting for id replaced (or added).
void Put(Settings* settings, const std::string& id, double normalized);

// ---- signals ----
// Uniform noise in [-amplitude, amplitude], independent per channel.
AudioChannels Noise(std::mt19937_64& random, int32_t channels, int64_t length, float amplitude);
bool AllFinite(const AudioChannels& audio, int64_t from = 0);
// The first sample position where the two differ bit for bit (either
// channel); -1 when identical. Different shapes differ at 0.
int64_t FirstDifference(const AudioChannels& a, const AudioChannels& b);
// The largest magnitude among finite samples.
float Peak(const AudioChannels& audio);

// ---- rendering ----
// Host block sizes, used in turn and repeated until the signal ends.
using BlockPlan = std::vector<int32_t>;
// Random sizes from 1 to largest, count of them.
BlockPlan RandomBlockPlan(std::mt19937_64& random, int32_t largest, int count);
std::string PlanText(const BlockPlan& plan);  // "512" or "random (37 sizes)"
// Processes input through instance in the plan's blocks on a new thread
// (whose noise source starts afresh) and waits for it. The raw host output,
// of the input's length. False with *error when the data model fails to
// generate its coefficients.
bool RenderOnFreshThread(EffectInstance& instance, const AudioChannels& input, const BlockPlan& plan,
                         AudioChannels* output, std::string* error);
// The same on the calling thread.
bool RenderHere(EffectInstance& instance, const AudioChannels& input, const BlockPlan& plan, AudioChannels* output,
                std::string* error);

}  // namespace validation
