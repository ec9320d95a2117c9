#include "ValidationSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

#include "AAX_CString.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/Validation.h"

namespace validation {

std::vector<float> SupportedRates(ValidationRun& run) {
    const PluginModule* module = run.SharedModule(nullptr);
    if (!module) return {44100.0f};
    std::vector<float> rates;
    for (AAX_EStemFormat layout : SupportedLayouts(run))
        for (float rate : module->SupportedSampleRates(layout))
            if (std::find(rates.begin(), rates.end(), rate) == rates.end()) rates.push_back(rate);
    std::sort(rates.begin(), rates.end());
    return rates;
}

std::vector<AAX_EStemFormat> SupportedLayouts(ValidationRun& run) {
    const PluginModule* module = run.SharedModule(nullptr);
    std::vector<AAX_EStemFormat> layouts;
    for (AAX_EStemFormat layout : {AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo})
        if (!module || module->ComponentForStemFormat(layout)) layouts.push_back(layout);
    return layouts;
}

float RateOr(ValidationRun& run, float preferred) {
    float nearest = preferred;
    for (float rate : SupportedRates(run)) {
        if (rate == preferred) return rate;
        if (nearest == preferred || std::fabs(rate - preferred) < std::fabs(nearest - preferred)) nearest = rate;
    }
    return nearest;
}

bool HasParameter(const AAX_IACFEffectParameters& model, const std::string& id) {
    int32_t index = -1;
    return model.GetParameterIndex(id.c_str(), &index) == AAX_SUCCESS && index >= 0;
}

bool HasEditor(const PluginModule& module) { return module.ProcPtr(kAAX_ProcPtrID_Create_EffectGUI) != nullptr; }

std::string RateText(float sampleRate) { return std::to_string(int(sampleRate)) + " Hz"; }

std::string LayoutText(AAX_EStemFormat stem) { return stem == AAX_eStemFormat_Mono ? "mono" : "stereo"; }

std::string Milliseconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000.0);
    return text;
}

std::unique_ptr<EffectInstance> NewInstance(const ValidationRun& run, const PluginModule& module, float sampleRate,
                                            AAX_EStemFormat stemFormat, std::string* error, int32_t maxBlockSize) {
    EffectInstance::Parts parts;
    parts.component = module.ComponentForStemFormat(stemFormat);
    if (parts.component)
        parts.processProc = reinterpret_cast<AAX_CProcessProc>(module.NativeProcessProc(*parts.component, sampleRate));
    if (run.Options().processProcOverride && parts.processProc) parts.processProc = run.Options().processProcOverride;
    parts.dataModel = module.CreateDataModel();
    EffectInstance::Setup setup;
    setup.sampleRate = sampleRate;
    setup.stemFormat = stemFormat;
    setup.maxBlockSize = maxBlockSize;
    std::string reason;
    std::unique_ptr<EffectInstance> instance = EffectInstance::Create(parts, setup, &reason);
    if (!instance && error) *error = LayoutText(stemFormat) + " " + RateText(sampleRate) + ": " + reason;
    return instance;
}

// ---- parameters ----

std::vector<std::string> ParameterIDs(const AAX_IACFEffectParameters& model) {
    int32_t count = 0;
    model.GetNumberOfParameters(&count);
    std::vector<std::string> ids;
    for (int32_t index = 0; index < count; ++index) {
        AAX_CString id;
        if (model.GetParameterIDFromIndex(index, &id) == AAX_SUCCESS) ids.push_back(id.Get());
    }
    return ids;
}

std::vector<std::string> ParametersOfType(const AAX_IACFEffectParameters& model, AAX_EParameterType wanted,
                                          const std::string& bypass) {
    std::vector<std::string> ids;
    for (const std::string& id : ParameterIDs(model)) {
        AAX_EParameterType type = AAX_eParameterType_Continuous;
        if (id != bypass && model.GetParameterType(id.c_str(), &type) == AAX_SUCCESS && type == wanted)
            ids.push_back(id);
    }
    return ids;
}

std::string MasterBypassID(const AAX_IACFEffectParameters& model) {
    AAX_CString id;
    return model.GetMasterBypassParameter(&id) == AAX_SUCCESS ? std::string(id.Get()) : std::string();
}

double NormalizedValue(const AAX_IACFEffectParameters& model, const std::string& id) {
    double value = 0.0;
    return model.GetParameterNormalizedValue(id.c_str(), &value) == AAX_SUCCESS ? value : std::nan("");
}

namespace {
// Room for any display text a host asks for.
constexpr int32_t kTextLength = 64;
}  // namespace

std::string ValueString(const AAX_IACFEffectParameters& model, const std::string& id) {
    AAX_CString text;
    model.GetParameterValueString(id.c_str(), &text, kTextLength);
    return text.Get();
}

std::string StringFromValue(const AAX_IACFEffectParameters& model, const std::string& id, double normalized) {
    AAX_CString text;
    model.GetParameterStringFromValue(id.c_str(), normalized, &text, kTextLength);
    return text.Get();
}

int32_t NumberOfSteps(const AAX_IACFEffectParameters& model, const std::string& id) {
    int32_t steps = 0;
    model.GetParameterNumberOfSteps(id.c_str(), &steps);
    return steps;
}

bool IsDiscrete(const AAX_IACFEffectParameters& model, const std::string& id) {
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    model.GetParameterType(id.c_str(), &type);
    return type == AAX_eParameterType_Discrete;
}

double StepValue(int32_t k, int32_t steps) { return steps > 1 ? double(k) / double(steps - 1) : 0.0; }

bool Apply(EffectInstance& instance, const Settings& settings, std::string* error) {
    for (const Setting& setting : settings) {
        const AAX_Result result = instance.ApplyAutomation(setting.id.c_str(), setting.normalized);
        if (result != AAX_SUCCESS) {
            if (error) *error = "automation of '" + setting.id + "' refused (result " + std::to_string(result) + ")";
            return false;
        }
    }
    return true;
}

Settings RandomSettings(const AAX_IACFEffectParameters& model, std::mt19937_64& random) {
    const std::string bypass = MasterBypassID(model);
    Settings settings;
    for (const std::string& id : ParameterIDs(model)) {
        if (id == bypass) continue;
        const int32_t steps = NumberOfSteps(model, id);
        double value = std::uniform_real_distribution<double>(0.0, 1.0)(random);
        if (IsDiscrete(model, id) && steps > 1)
            value = StepValue(std::uniform_int_distribution<int32_t>(0, steps - 1)(random), steps);
        settings.push_back({id, value});
    }
    return settings;
}

void Put(Settings* settings, const std::string& id, double normalized) {
    for (Setting& setting : *settings)
        if (setting.id == id) {
            setting.normalized = normalized;
            return;
        }
    settings->push_back({id, normalized});
}

// ---- signals ----

AudioChannels Noise(std::mt19937_64& random, int32_t channels, int64_t length, float amplitude) {
    std::uniform_real_distribution<float> sample(-amplitude, amplitude);
    AudioChannels audio(size_t(channels), std::vector<float>(size_t(length), 0.0f));
    for (std::vector<float>& channel : audio)
        for (float& value : channel) value = sample(random);
    return audio;
}

bool AllFinite(const AudioChannels& audio, int64_t from) {
    for (const std::vector<float>& channel : audio)
        for (size_t i = size_t(std::max<int64_t>(from, 0)); i < channel.size(); ++i)
            if (!std::isfinite(channel[i])) return false;
    return true;
}

int64_t FirstDifference(const AudioChannels& a, const AudioChannels& b) {
    if (a.size() != b.size()) return 0;
    int64_t first = -1;
    for (size_t channel = 0; channel < a.size(); ++channel) {
        if (a[channel].size() != b[channel].size()) return 0;
        for (size_t i = 0; i < a[channel].size(); ++i)
            if (std::memcmp(&a[channel][i], &b[channel][i], sizeof(float)) != 0) {
                if (first < 0 || int64_t(i) < first) first = int64_t(i);
                break;
            }
    }
    return first;
}

float Peak(const AudioChannels& audio) {
    float peak = 0.0f;
    for (const std::vector<float>& channel : audio)
        for (float value : channel)
            if (std::isfinite(value)) peak = std::max(peak, std::fabs(value));
    return peak;
}

// ---- rendering ----

BlockPlan RandomBlockPlan(std::mt19937_64& random, int32_t largest, int count) {
    // Mostly small and medium blocks, now and then a long one, as hosts
    // with variable buffers deliver them.
    largest = std::max(largest, 1);
    std::uniform_int_distribution<int32_t> small(1, std::min(largest, 64)), any(1, largest);
    std::bernoulli_distribution takeAny(0.3);
    BlockPlan plan;
    for (int i = 0; i < count; ++i) plan.push_back(takeAny(random) ? any(random) : small(random));
    return plan;
}

std::string PlanText(const BlockPlan& plan) {
    if (plan.size() == 1) return std::to_string(plan[0]);
    return "random (" + std::to_string(plan.size()) + " sizes)";
}

bool RenderHere(EffectInstance& instance, const AudioChannels& input, const BlockPlan& plan, AudioChannels* output,
                std::string* error) {
    const int64_t length = input.empty() ? 0 : int64_t(input[0].size());
    output->assign(input.size(), std::vector<float>(size_t(length), 0.0f));
    std::vector<float*> inputs(input.size()), outputs(input.size());
    size_t next = 0;
    for (int64_t position = 0; position < length;) {
        const int32_t frames = int32_t(std::min<int64_t>(plan.empty() ? 512 : plan[next], length - position));
        next = plan.empty() ? 0 : (next + 1) % plan.size();
        for (size_t channel = 0; channel < input.size(); ++channel) {
            // The effect reads its input only; the host owns both buffers.
            inputs[channel] = const_cast<float*>(input[channel].data()) + position;
            outputs[channel] = (*output)[channel].data() + position;
        }
        const AAX_Result result = instance.ProcessBlock(inputs.data(), outputs.data(), frames);
        if (result != AAX_SUCCESS) {
            if (error)
                *error = "coefficients failed at sample " + std::to_string(position) + " (result " +
                         std::to_string(result) + ")";
            return false;
        }
        position += frames;
    }
    return true;
}

bool RenderOnFreshThread(EffectInstance& instance, const AudioChannels& input, const BlockPlan& plan,
                         AudioChannels* output, std::string* error) {
    bool rendered = false;
    std::thread audioThread([&] { rendered = RenderHere(instance, input, plan, output, error); });
    audioThread.join();
    return rendered;
}

}  // namespace validation
