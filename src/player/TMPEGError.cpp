#include "player/TMPEGError.h"

#include <iterator>

const char *const CantLoadLibraryText = "Can't load MPEG library";
const char *const NonSpecifiedStreamText = "Can't play non-specified stream";

namespace {
const char *const CodeTexts[] = {
    "MPEG library not loaded",
    "Internal decoder error",
    "Incorrect mode",
    "Input stream error",
    "Input stream is non-seekable",
    "Output device failure",
};
} // namespace

TMPEGError::TMPEGError(uint8_t code, const std::string &message) : std::runtime_error(message), ErrorCode(code)
{
}

TMPEGError TMPEGError::FromCode(int32_t code)
{
    // Codes past the table are the library's own; the message keeps them whole even where the
    // byte-sized ErrorCode cannot.
    if (code < 0 || code >= int32_t(std::size(CodeTexts)))
        return TMPEGError(uint8_t(code), "Unknown decoder error " + std::to_string(code));
    return TMPEGError(uint8_t(code), CodeTexts[code]);
}
