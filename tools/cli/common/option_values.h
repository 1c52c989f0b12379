// Reading option values on the command line of the shipped tools.
#pragma once

#include <cstdlib>
#include <string>

namespace vellumo {

// The whole of `text` as a decimal number from `low` to `high` into `value`;
// false, with `value` untouched, for anything else.
inline bool ParseNumberInRange(const char* text, long low, long high, int& value) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < low || number > high) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

// The value of the option at argv[at], which follows it; `at` moves onto
// the value. False with a reason in `error` when it is missing.
inline bool TakeValue(int argc, char** argv, int& at, std::string& value, std::string& error) {
    if (at + 1 >= argc) {
        error = std::string(argv[at]) + " needs a value";
        return false;
    }
    value = argv[++at];
    return true;
}

}  // namespace vellumo
