#pragma once

// Keywords and fixed texts of the configuration data file (*.dat).
namespace vexa::configfile {

// The first field: "VexaConfiguration " followed by the four-digit data-file version.
inline constexpr const char* HeaderPrefix = "VexaConfiguration ";
inline constexpr const char* HeaderName = "VexaConfiguration"; // what a valid header starts with
inline constexpr int HeaderLength = 22;
inline constexpr int DataFileVersion = 3100; // what this tool writes

// Older layouts, by the last data-file version that used them.
inline constexpr int LastVersionWithoutPwmLevels = 19;   // "Cfg" of PWM pins holds p1..p3 only
inline constexpr int LastVersionWithDccAddressOnly = 22; // "DCC" holds only A
inline constexpr int LastVersionWithoutExtendedDcc = 31; // "DCC" has no X, "PAM" has no X
inline constexpr int FirstVersionWithNativeMode = 3100;  // "XAD" carries the native-mode flag

inline constexpr const char* LineEnd = "\r\n";
inline constexpr const char* PinLineIndent = "  ";    // "Dev", "Cfg", "PAM", "Asp"
inline constexpr const char* StepLineIndent = "    "; // "Ins"

inline constexpr const char* KeyIdString = "ID$";
inline constexpr const char* KeyDcc = "DCC";
inline constexpr const char* KeyAddressing = "XAD";
// Written only when the value is known, so a file of a configuration that never held it stays
// as it was; readers that do not know these keywords skip their fields.
inline constexpr const char* KeyEnforcedXAddress = "FXA"; // after "XAD": 1 enforced, 0 not
inline constexpr const char* KeyEnableMap = "IEE"; // after the last "Eof": On of inputs 0..3, then Off; 1 = enabled
inline constexpr const char* KeyHardware = "HWC";
inline constexpr const char* KeyLed = "LED";
inline constexpr const char* KeySerialPort = "SPC";
inline constexpr const char* KeyEventOn = "Eon";
inline constexpr const char* KeyEventOnOld = "Evt"; // read like "Eon", never written
inline constexpr const char* KeyEventOff = "Eof";
inline constexpr const char* KeyPin = "Pin";
inline constexpr const char* KeyDevice = "Dev";
inline constexpr const char* KeyConfig = "Cfg";
inline constexpr const char* KeyAddressCounts = "PAM";
inline constexpr const char* KeyAspect = "Asp";
inline constexpr const char* KeyStep = "Ins";
inline constexpr const char* KeyEnd = "End";

// The block value that marks native mode in "XAD" when flex addressing is off.
inline constexpr int NativeModeBlock = 64;

} // namespace vexa::configfile
