// Reading what a person typed into a value field: numbers and words. The
// one reader of typed text for the editor's displays and the program's
// ID=VALUE settings; each says how strict it is.
//
// Pure functions over the text; any thread.
#pragma once

#include <string>
#include <vector>

namespace TypedText {

// The number a text starts with, read as atof reads it in the C locale
// whatever locale is set (blanks skipped, an optional sign, "nan" and "inf"
// included, too large a magnitude infinite, too small zero), or 0 when it
// starts with none. The lenient reading of a display.
double LeadingNumber(const char* text);

// True when the whole text is a decimal number as the C locale writes it:
// an optional sign, digits with an optional point (at least one digit) and
// an optional exponent; with wholeOnly, an optional sign and digits only.
// No blanks, no hexadecimal, no words such as inf. The strict reading.
bool IsPlainNumber(const std::string& text, bool wholeOnly);

// True when the text starts (after blanks) with a decimal number.
bool StartsWithNumber(const std::string& text);

// How a typed word is compared with the names a value may be given.
enum class WordMatch {
    // The whole word, in any case.
    Whole,
    // The text's first letters, in any case, against as many first letters
    // of each name as tell the names apart (one for names that all start
    // differently); a text shorter than that names nothing.
    Prefix,
};

// The index of the name the text names, or -1.
int FindWord(const char* text, const std::vector<std::string>& names, WordMatch match);

}  // namespace TypedText
