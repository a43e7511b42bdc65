#pragma once

// Keywords and fixed texts of the device definition library (*.def). The lines it shares with
// the data file ("Dev", "Pin", "Cfg", "PAM", "Asp", "Ins", "End") keep the data file's keywords.
namespace vexa::devicelibrary {

// The first field starts with this name; the text from its 23rd character on is the version.
inline constexpr const char* HeaderName = "VexaDeviceDefinitions";
inline constexpr int HeaderNameLength = 21;
inline constexpr int VersionStart = 22;

// "Pab": a pin given by its absolute number rather than relative to the start pin.
inline constexpr const char* KeyAbsolutePin = "Pab";

inline constexpr const char* PinIndent = "  ";         // "Pin"
inline constexpr const char* PinDetailIndent = "    "; // "Cfg", "PAM", "Asp"
inline constexpr const char* StepIndent = "      ";    // "Ins"

} // namespace vexa::devicelibrary
