#pragma once

#include <array>

namespace vexa {

// The captions of the "General" page: its frames, fields and options. The page shows them and
// the configuration sheet describes the module settings in the same words.
namespace generalpage {

inline constexpr const char* IdFrame = "ID String";
inline constexpr const char* FirmwareVersion = "Firmware Version:";

inline constexpr const char* DccFrame = "DCC";
inline constexpr const char* BasicAddress = "Basic Address";
inline constexpr const char* ExtendedAddress = "eXtended Address";
inline constexpr const char* PacketRepeat = "Packet Repeat";
inline constexpr const char* StateInvert = "Basic Packet State Invert";
inline constexpr const char* AllowZero = "Allow Address 0";

inline constexpr const char* SerialAddressingFrame = "Serial Addressing Options";
inline constexpr const char* Flex = "Lumo Flex-Addresss";
inline constexpr const char* Native = "Native Vexa Mode";
inline constexpr const char* Enforced = "Enforced eXtended Address";
inline constexpr const char* FlexStart = "Start";
inline constexpr const char* ModuleXAddress = "Module eXtended Address";
inline constexpr const char* GroupMask = "eXt Group Mask";

inline constexpr const char* LedFrame = "LED Control";
inline constexpr const char* GreenLed = "Green LED function";
inline constexpr const char* OrangeLed = "Orange LED function";

inline constexpr const char* HardwareFrame = "Hardware Config";
inline constexpr const char* SinkDriver = "Sink Driver";
inline constexpr const char* SourceDriver = "Source Driver";

inline constexpr const char* SerialPortFrame = "Serial Port";
inline constexpr const char* SerialEnable = "Enable";
inline constexpr const char* Baudrate = "Baudrate";
inline constexpr const char* DataBits = "Data bits";
inline constexpr const char* Parity = "Parity";
inline constexpr const char* StopBits = "Stop bits";
// The parity options by the stored value (0 none, 2 even, 3 odd); there is no option 1.
inline constexpr std::array<const char*, 4> ParityTexts{"No", "", "Even", "Odd"};

} // namespace generalpage

} // namespace vexa
