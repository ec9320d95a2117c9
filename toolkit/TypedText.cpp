#include "TypedText.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace TypedText {

namespace {
char Lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// How many first letters tell the names apart.
size_t DistinguishingLength(const std::vector<std::string>& names) {
    size_t length = 1;
    for (size_t i = 0; i < names.size(); ++i)
        for (size_t j = i + 1; j < names.size(); ++j) {
            size_t shared = 0;
            while (shared < names[i].size() && shared < names[j].size() &&
                   Lower(names[i][shared]) == Lower(names[j][shared]))
                ++shared;
            if (shared + 1 > length) length = shared + 1;
        }
    return length;
}
}  // namespace

double LeadingNumber(const char* text) {
    if (!text) return 0.0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
    if (*text == '+' && text[1] != '-') ++text;
    const char* const end = text + std::strlen(text);
    double number = 0.0;
    const auto parsed = std::from_chars(text, end, number);
    if (parsed.ec == std::errc()) return number;
    if (parsed.ec != std::errc::result_out_of_range) return 0.0;
    // Out of range: too small (a negative exponent) reads as 0, too large
    // as an infinity of its sign.
    for (const char* c = text; c + 1 < parsed.ptr; ++c)
        if ((*c == 'e' || *c == 'E') && c[1] == '-') return 0.0;
    return *text == '-' ? -HUGE_VAL : HUGE_VAL;
}

bool IsPlainNumber(const std::string& text, bool wholeOnly) {
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t mantissa = digits();
    if (wholeOnly) return mantissa > 0 && i == text.size();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

bool StartsWithNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && IsDigit(text[i]);
}

int FindWord(const char* text, const std::vector<std::string>& names, WordMatch match) {
    if (!text) return -1;
    const size_t textLength = std::strlen(text);
    const size_t prefix = DistinguishingLength(names);
    for (size_t n = 0; n < names.size(); ++n) {
        const std::string& name = names[n];
        const size_t length = match == WordMatch::Whole ? name.size() : prefix;
        if (match == WordMatch::Whole && textLength != name.size()) continue;
        if (textLength < length || name.size() < length) continue;
        size_t k = 0;
        while (k < length && Lower(text[k]) == Lower(name[k])) ++k;
        if (k == length) return int(n);
    }
    return -1;
}

}  // namespace TypedText
