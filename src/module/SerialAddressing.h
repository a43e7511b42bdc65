#pragma once

#include "core/Session.h"

#include <array>
#include <optional>
#include <string>

namespace vexa {

constexpr int HighestModuleXAddress = 95;
constexpr int HighestFlexBlock = 127;
constexpr int EnforcedXAddressValue = 127; // setting 2 value that means "enforced"
constexpr int NativeModeValue = 64;        // setting 8 block value that means native mode

inline constexpr const char* FlexWarningText = "Lumo Flexible Addressing is a complex concept !!\r\n"
                                               "It should only be activated by experienced users\r\n"
                                               "that understand the details very well !";

inline constexpr const char* EnforcedUnknownText =
    "Enforced eXtended Address unknown: the controller's eXtended address is left as it is";

// The values of settings 8 (flex flag, block), 3 (four group-mask bytes) and 2 (eXtended
// address) as "Write Settings" sends them; enforced mode sends 0, 0 / 0, 0, 0, 0 / 127. While the
// enforced mode is unknown, settings 8 and 3 are formed as without it and setting 2 has no value
// (it is not sent).
std::array<int, 2> SerialAddressingValues(const ModuleSettings& module);
std::array<int, 4> GroupMaskValues(const ModuleSettings& module);
std::optional<int> ModuleXAddressValue(const ModuleSettings& module);

// True only when the enforced mode is known to be on.
bool IsEnforced(const ModuleSettings& module);

// "" when the block can be sent as it stands, else what the wire cannot carry (the module
// eXtended address shown with the numbering base, the flex block).
std::string SerialAddressingProblem(const ModuleSettings& module, int numberingBase);
// The module eXtended address unless the enforced mode is known to be on, also while the mode is
// unknown (its field is marked: a write that knows the mode off refuses it).
std::string ModuleXAddressProblem(const ModuleSettings& module, int numberingBase);

// "Read Settings" / "Write Settings" of the "Serial Addressing Options" frame. The read shows
// no flex warning while it runs, and fails when an answer was refused (after reading the rest).
// The write refuses a block the wire cannot carry before its first byte; with the enforced mode
// unknown it leaves setting 2 on the controller as it is and says so.
bool ReadSerialAddressing(Session& session);
bool WriteSerialAddressing(Session& session);

// Which controls of the frame are shown.
struct SerialAddressingVisibility {
    bool flex = false;      // "Lumo Flex-Addresss"
    bool native = false;    // "Native Vexa Mode"
    bool flexStart = false; // the flex start field with its arrows and "Start"
    bool xAddress = false;  // module eXtended address, group mask and their labels
};
SerialAddressingVisibility SerialAddressingVisibilityFor(const ModuleSettings& module);

// A click that checks flex addressing: asks the flex warning unless a read runs. False when
// the user did not confirm (the box is to be unchecked again).
bool ConfirmFlexAddressing(Session& session);

// Entry of the module eXtended address (shown with the numbering base) and of the flex start
// (shown as block x 4 + base); typed text is clamped without a message.
void EnterModuleXAddress(Session& session, const std::string& shownText);
void EnterFlexStart(Session& session, const std::string& shownText);
// The flex start's arrows step the block itself, within 0..127.
void StepFlexBlock(Session& session, int steps);

// The numbers as the fields show them.
int ShownModuleXAddress(const ModuleSettings& module, int numberingBase);
int ShownFlexStart(const ModuleSettings& module, int numberingBase);
inline int ShownModuleXAddress(const Session& session) {
    return ShownModuleXAddress(session.image.module, session.numberingBase);
}
inline int ShownFlexStart(const Session& session) {
    return ShownFlexStart(session.image.module, session.numberingBase);
}

} // namespace vexa
