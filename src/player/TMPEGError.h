#pragma once
// The error of the MPEG player component: the message text shown to the user and the code that
// caused it.

#include <cstdint>
#include <stdexcept>
#include <string>

class TMPEGError : public std::runtime_error {
public:
    TMPEGError(uint8_t code, const std::string &message);

    // An error reported by the decoder library: the text of its code, the table's for 0..5 and
    // "Unknown decoder error <code>" for any other.
    static TMPEGError FromCode(int32_t code);

    uint8_t ErrorCode;
};

extern const char *const CantLoadLibraryText;   // "Can't load MPEG library" (code 0)
extern const char *const NonSpecifiedStreamText; // "Can't play non-specified stream"
constexpr uint8_t NonSpecifiedStreamCode = 254;
