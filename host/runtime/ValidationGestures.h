// A person at the effect's editor, for the validation checks: random
// gestures on the panel's controls (drags, wheel turns, modifier clicks and
// arrow keys on the knobs, clicks on the buttons, text typed into the
// displays) and
// host automation, each saying what it should have set; and a comparison of
// what the panel shows with what a freshly opened editor shows.
//
// User-interface thread (whichever thread drives the session).
#pragma once

#include <random>
#include <string>
#include <vector>

#include "AAX_IACFEffectParameters.h"
#include "EditorControls.h"

class EditorSession;
class EffectInstance;

namespace validation {

// One gesture as performed, and what it should leave behind when nothing
// else changes the parameter meanwhile.
struct EditorGesture {
    enum class Expectation { None, Value, Text };
    std::string description;  // "a click on the button for 'Color' 0.25"
    bool automation = false;  // a host automation move, not a gesture
    std::string parameterID;
    Expectation expectation = Expectation::None;
    double value = 0.0;       // Value: the normalized value it sets
    std::string text;         // Text: the display wording it sets
};

// Performs one random gesture on the open session (or, with automation
// allowed, now and then a host automation move on the instance).
EditorGesture PerformRandomGesture(EditorSession& session, EffectInstance& instance, std::mt19937_64& random,
                                   bool allowAutomation);

// What the open editor's panel tells of its controls and bitmaps; null
// when closed or when the panel tells nothing.
const IEditorControls* PanelControls(EditorSession& session);

// The wording a display of parameterID shows for a normalized value: the
// module's word for the value, else the parameter's own text.
std::string DisplayText(const AAX_IACFEffectParameters& model, const std::string& parameterID, double normalized);

// What the open editor shows, pixel for pixel (empty when closed).
std::vector<uint32_t> PanelPixels(EditorSession& session);

// Whether the panel shows what a freshly opened editor shows for the same
// state: takes the keyboard focus away, then closes and reopens the session
// and compares.
bool PanelShowsCurrentState(EditorSession& session);

}  // namespace validation
