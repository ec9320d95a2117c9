// Turns values typed by a user ("ID=40", "ID=word") into the
// normalized values a host sets, through the data model's own text parsing
// (GetParameterValueFromString), so that every value the model would accept
// from its own editor is accepted here and nothing else. Aliases let a word
// stand for a value of one parameter; the module names them itself (ModuleFacts.h). Typed text is read by the same
// reader the editor's displays use (toolkit/TypedText.h), in its strict
// form.
// Before the model sees a value, the whole text must be a decimal number in
// the C locale (a whole number for stepped parameters) or an alias: the
// model's own parsing is lenient ("40abc" reads as 40) and stays so for
// stored sessions and the editor.
//
// Main thread (it calls the data model).
#pragma once

#include <string>
#include <vector>

#include "AAX_IACFEffectParameters.h"

class ParameterValueParser {
public:
    // name stands for the normalized value of parameterID; names match in
    // any case.
    struct Alias {
        std::string parameterID;
        std::string name;
        double normalized = 0.0;
    };
    enum class Outcome { Parsed, UnknownParameter, NotAValue, OutOfRange };
    struct Result {
        Outcome outcome = Outcome::NotAValue;
        std::string parameterID;
        double normalizedValue = 0.0;  // when Parsed
        std::string message;           // why not, when not Parsed
    };

    // model must outlive the parser.
    explicit ParameterValueParser(const AAX_IACFEffectParameters& model, std::vector<Alias> aliases = {});

    // The value text for one parameter.
    Result Parse(const std::string& parameterID, const std::string& text) const;
    // "ID=VALUE"; a missing '=' or identifier is NotAValue.
    Result ParseAssignment(const std::string& assignment) const;

    // The identifiers of the model's parameters in index order, the empty
    // identifier (which can't be typed as ID=VALUE) left out.
    std::vector<std::string> NamedParameterIDs() const;
    // "0.00 to 100.00": the texts of the lowest and highest normalized values.
    std::string RangeText(const std::string& parameterID) const;

private:
    bool IsParameter(const std::string& parameterID) const;
    // The alias text names, or null.
    const Alias* FindAlias(const std::string& parameterID, const std::string& text) const;
    std::string AliasNames(const std::string& parameterID) const;
    // True for parameters with discrete steps (Color, Dither, the bypass).
    bool IsStepped(const std::string& parameterID) const;
    // NotAValue, naming the accepted forms.
    Result RefuseForm(const std::string& parameterID, const std::string& text, bool stepped) const;

    const AAX_IACFEffectParameters& m_Model;
    std::vector<Alias> m_Aliases;
};
