#include "module/SerialAddressing.h"

#include "core/NumberField.h"
#include "core/WriteChecks.h"
#include "model/WireRange.h"
#include "module/SettingRequests.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr int FlexStartSpan = 508; // block 127 x 4
constexpr int AddressesPerBlock = 4;

// No flex warning while a read sets the box.
class FlexWarningSuppressed {
public:
    explicit FlexWarningSuppressed(Session& session) : session_(session), previous_(session.flexWarningSuppressed) {
        session_.flexWarningSuppressed = true;
    }
    ~FlexWarningSuppressed() { session_.flexWarningSuppressed = previous_; }
    FlexWarningSuppressed(const FlexWarningSuppressed&) = delete;
    FlexWarningSuppressed& operator=(const FlexWarningSuppressed&) = delete;

private:
    Session& session_;
    bool previous_;
};

void ApplySerialAddressingAnswer(ModuleSettings& module, const LinkState& link) {
    const int flex = AnswerValue(link, 0);
    const int block = AnswerValue(link, 1);
    module.lumoFlexAddressing = flex != 0;
    module.nativeMode = flex == 0 && (block & NativeModeValue) != 0;
    module.lumoFlexBlock = static_cast<std::uint8_t>(flex != 0 ? block : 0);
}

void ApplyXAddressAnswer(ModuleSettings& module, const LinkState& link) {
    const int value = AnswerValue(link, 0);
    const bool enforced = value == EnforcedXAddressValue;
    module.enforcedXAddress = enforced;
    module.moduleXAddress = static_cast<std::uint8_t>(enforced ? 0 : value);
}

void ApplyGroupMaskAnswer(ModuleSettings& module, const LinkState& link) {
    for (int k = 0; k < 4; ++k)
        UnpackBits(module.groupMask, 4 * k, 4, AnswerValue(link, k));
}

// One read of the block: a missing answer ends it (false); a wrong size or echo shows its
// message and clears `taken`, and the block reads on.
bool ReadPart(Session& session, ModuleSetting setting, int size, void (*apply)(ModuleSettings&, const LinkState&),
              bool& taken) {
    const LinkState& link = session.link;
    if (!RequestSetting(session, setting))
        return false;
    if (link.answerSize() != size) {
        session.tell(SizeMismatchText(link, size));
        taken = false;
    } else if (AnswerEchoes(link, setting)) {
        apply(session.image.module, link);
    } else {
        session.tell(EchoMismatchText(link, setting));
        taken = false;
    }
    return true;
}

} // namespace

bool IsEnforced(const ModuleSettings& module) {
    return module.enforcedXAddress.value_or(false);
}

std::array<int, 2> SerialAddressingValues(const ModuleSettings& module) {
    if (IsEnforced(module))
        return {0, 0};
    return {module.lumoFlexAddressing ? 1 : 0, module.nativeMode ? NativeModeValue : module.lumoFlexBlock};
}

std::array<int, 4> GroupMaskValues(const ModuleSettings& module) {
    std::array<int, 4> values{};
    if (!IsEnforced(module))
        for (int k = 0; k < 4; ++k)
            values[static_cast<std::size_t>(k)] = PackBits(module.groupMask, 4 * k, 4);
    return values;
}

std::optional<int> ModuleXAddressValue(const ModuleSettings& module) {
    if (!module.enforcedXAddress)
        return std::nullopt;
    return *module.enforcedXAddress ? EnforcedXAddressValue : module.moduleXAddress;
}

std::string ModuleXAddressProblem(const ModuleSettings& module, int numberingBase) {
    if (IsEnforced(module))
        return {}; // enforced sends 127
    return WireProblem("module eXtended address", module.moduleXAddress + numberingBase,
                       {numberingBase, numberingBase + HighestModuleXAddress});
}

std::string SerialAddressingProblem(const ModuleSettings& module, int numberingBase) {
    const std::string block = module.lumoFlexAddressing && !IsEnforced(module)
                                  ? WireProblem("Lumo flex block", module.lumoFlexBlock, {0, HighestFlexBlock})
                                  : std::string();
    // While the enforced mode is unknown, setting 2 is not sent: its value refuses nothing.
    const std::string xAddress =
        module.enforcedXAddress.has_value() ? ModuleXAddressProblem(module, numberingBase) : std::string();
    return FirstProblem("", {block, xAddress});
}

bool ReadSerialAddressing(Session& session) {
    const FlexWarningSuppressed quiet(session);
    session.link.bidirectional = true;
    bool taken = true;
    return ReadPart(session, ModuleSetting::SerialAddressing, 4, ApplySerialAddressingAnswer, taken) &&
           ReadPart(session, ModuleSetting::XAddress, 3, ApplyXAddressAnswer, taken) &&
           ReadPart(session, ModuleSetting::GroupMask, 6, ApplyGroupMaskAnswer, taken) && taken;
}

bool WriteSerialAddressing(Session& session) {
    const ModuleSettings& module = session.image.module;
    if (RefusedUnsendable(session, SerialAddressingProblem(module, session.numberingBase)))
        return false;
    const std::array<int, 2> addressing = SerialAddressingValues(module);
    if (!SendSetting(session, ModuleSetting::SerialAddressing, {addressing.begin(), addressing.end()}))
        return false;
    const std::array<int, 4> mask = GroupMaskValues(module);
    if (!SendSetting(session, ModuleSetting::GroupMask, {mask.begin(), mask.end()}))
        return false;
    const std::optional<int> xAddress = ModuleXAddressValue(module);
    if (!xAddress) {
        SayLeftAsItIs(session, EnforcedUnknownText);
        return true;
    }
    return SendSetting(session, ModuleSetting::XAddress, {*xAddress});
}

SerialAddressingVisibility SerialAddressingVisibilityFor(const ModuleSettings& module) {
    const bool enforced = IsEnforced(module);
    return {!module.nativeMode && !enforced, !module.lumoFlexAddressing && !enforced,
            module.lumoFlexAddressing && !enforced, !enforced};
}

bool ConfirmFlexAddressing(Session& session) {
    return session.flexWarningSuppressed || session.prompter.ask(MessageKind::OkCancelWarning, FlexWarningText);
}

void EnterModuleXAddress(Session& session, const std::string& shownText) {
    const int base = session.numberingBase;
    session.image.module.moduleXAddress =
        static_cast<std::uint8_t>(ClampedFieldValue(shownText, base, base + HighestModuleXAddress) - base);
}

void EnterFlexStart(Session& session, const std::string& shownText) {
    const int base = session.numberingBase;
    const int shown = ClampedFieldValue(shownText, base, base + FlexStartSpan);
    session.image.module.lumoFlexBlock = static_cast<std::uint8_t>((shown - base) / AddressesPerBlock);
}

void StepFlexBlock(Session& session, int steps) {
    std::uint8_t& block = session.image.module.lumoFlexBlock;
    block = static_cast<std::uint8_t>(std::clamp(block + steps, 0, HighestFlexBlock));
}

int ShownModuleXAddress(const ModuleSettings& module, int numberingBase) {
    return module.moduleXAddress + numberingBase;
}

int ShownFlexStart(const ModuleSettings& module, int numberingBase) {
    return module.lumoFlexBlock * AddressesPerBlock + numberingBase;
}

} // namespace vexa
