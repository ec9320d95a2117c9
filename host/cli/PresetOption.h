// The --preset FILE setting: a preset file (a state chunk record as the host
// holds it, see host/runtime/PresetFile.h) restored into an instance as a
// host restores a session, at its place among the other settings, so that
// --set options after it override what it sets.
#pragma once

#include <string>

#include "CliCommon.h"
#include "host/runtime/EffectInstance.h"
#include "host/runtime/PluginModule.h"
#include "host/runtime/PresetFile.h"

// The option's description for a command's help.
OptionRule PresetOptionRule();

// The identifiers a host writes into the records of this instance.
PresetOwner PresetOwnerOf(const PluginModule& module, const EffectInstance& instance);

// The exit code for a preset that could not be read, made or restored.
CliFailure PresetFailure(const PresetError& error);

// Main thread. Reads the file, restores it through the data model and
// answers the data model's set-value requests, so that the values are in
// place when this returns. Failures: a missing or unreadable file (66), no
// whole record or another effect's (65), a refusal by the effect (70).
bool RestorePresetFile(const PluginModule& module, EffectInstance& instance, const std::string& path,
                       CliFailure* failure);

// Main thread. Captures the instance's state through the data model and
// writes it to path through a temporary file renamed into place. Failures:
// a state the effect will not give (70, or 65 for a damaged record), an
// output that cannot be created (73) or written (74). The record written is
// left in *saved when given.
bool SavePresetFile(const PluginModule& module, EffectInstance& instance, const std::string& path,
                    CliFailure* failure, PresetFile* saved = nullptr);
