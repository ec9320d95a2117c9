// The failure path of the operations that report why they failed through an
// optional message string: store the message where asked, answer false.
//
//     if (!loaded) return Fail(error, "cannot load " + path);
//
// Any thread; writes only *error.
#pragma once

#include <string>

inline bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}
