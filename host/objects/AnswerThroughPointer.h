// The host objects' getters answer through out pointers, all in one way:
// every out pointer must be present, else AAX_ERROR_NULL_OBJECT and nothing
// is stored; otherwise each value is stored and the answer is AAX_SUCCESS.
//
//     return AnswerThroughPointers(outNumerator, kMeterNumerator, outDenominator, kMeterDenominator);
//
// Any thread; stores only through the pointers given.
#pragma once

#include "AAX.h"
#include "AAX_Errors.h"

namespace answer_detail {
inline bool AllPresent() { return true; }
template <class T, class Value, class... Rest>
bool AllPresent(T* out, const Value&, const Rest&... rest) {
    return out != nullptr && AllPresent(rest...);
}

inline void StoreAll() {}
template <class T, class Value, class... Rest>
void StoreAll(T* out, const Value& value, const Rest&... rest) {
    *out = value;
    StoreAll(rest...);
}
}  // namespace answer_detail

// Arguments come in pairs: an out pointer, then the value to store there.
template <class... OutsAndValues>
AAX_Result AnswerThroughPointers(const OutsAndValues&... outsAndValues) {
    static_assert(sizeof...(outsAndValues) > 0 && sizeof...(outsAndValues) % 2 == 0,
                  "pairs of an out pointer and its value");
    if (!answer_detail::AllPresent(outsAndValues...)) return AAX_ERROR_NULL_OBJECT;
    answer_detail::StoreAll(outsAndValues...);
    return AAX_SUCCESS;
}
