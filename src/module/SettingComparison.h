#pragma once

#include "core/ControllerCopy.h"
#include "core/Session.h"
#include "module/SettingRequests.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The comparison of the module settings of an image with what a controller holds, shared by the
// general settings verification, the comparison of two configurations and the marks of what
// changed since the controller was last read or written.

// The blocks of module settings that one write sends together, in the order "Write All" writes
// them (serial addressing last: it may change how the controller is addressed).
enum class SettingBlock { IdString, Dcc, Led, Hardware, SerialPort, SerialAddressing };
inline constexpr std::array<SettingBlock, 6> SettingBlocksInWriteOrder{
    SettingBlock::IdString, SettingBlock::Dcc,        SettingBlock::Led,
    SettingBlock::Hardware, SettingBlock::SerialPort, SettingBlock::SerialAddressing};

struct SettingBlockEntry {
    const char* name;                    // as the stages of "Write All" name it
    std::vector<ModuleSetting> settings; // the settings its write sends
    bool (*write)(Session&);             // its write: "Write String", "Write Settings", "Write Config"
};
const SettingBlockEntry& SettingBlockOf(SettingBlock block);

// The settings a verification compares, in the order it compares them.
const std::vector<ModuleSetting>& ComparedSettings();

// The values a write sends after 96, s for the image's settings: what the controller holds
// afterwards. Nothing when the image does not know the value (it is then not sent).
std::optional<std::vector<int>> SettingWireValues(const ModuleSettings& module, ModuleSetting setting);

// Whether the comparisons take the setting: not setting 2 while the enforced mode is unknown (it
// is not written either), nor settings 8 and 3 in enforced mode (their write sends zeros, which
// a controller in enforced mode need not hold).
bool SettingCompared(const ModuleSettings& module, ModuleSetting setting);
inline constexpr const char* EnforcedNotComparedText =
    "Serial Address Settings, eXtended Group Mask: enforced eXtended address, not compared";

// A difference in the words of the verification report; a differing eXtended address or group
// mask is reported without failing the verification.
struct SettingFinding {
    std::string text;
    bool failsVerification = true;
};

// Compares the image's setting with the values a controller holds, in the form of its answer to
// 112, s (after the echo), as the read takes them. Nothing when they compare or when the setting
// is not compared.
std::optional<SettingFinding> CompareSetting(const ModuleSettings& module, ModuleSetting setting,
                                             const std::vector<int>& held);

// How a block of the image stands against what the connected controller is known to hold:
// changed when a setting the copy holds differs, else unknown when the copy lacks one.
HeldState SettingBlockState(const Session& session, SettingBlock block);

} // namespace vexa
