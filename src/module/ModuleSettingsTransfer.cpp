#include "module/ModuleSettingsTransfer.h"

#include "core/WriteChecks.h"
#include "model/WireRange.h"
#include "module/DccAddressing.h"
#include "module/HardwareSettings.h"
#include "module/LedSettings.h"
#include "module/SerialAddressing.h"
#include "module/SerialPortSettings.h"

#include <array>

namespace vexa {

namespace {

using SettingsOperation = bool (*)(Session&);

template <std::size_t N> bool RunInOrder(Session& session, const std::array<SettingsOperation, N>& operations) {
    for (SettingsOperation operation : operations)
        if (!operation(session))
            return false;
    return true;
}

} // namespace

bool ReadModuleSettings(Session& session) {
    static constexpr std::array<SettingsOperation, 5> order{ReadDccSettings, ReadSerialAddressing, ReadLedSettings,
                                                            ReadHardwareConfig, ReadSerialPortSettings};
    return RunInOrder(session, order);
}

std::string ModuleSettingsProblem(const Session& session) {
    const ModuleSettings& module = session.image.module;
    return FirstProblem("", {DccSettingsProblem(module), SerialAddressingProblem(module, session.numberingBase)});
}

bool WriteModuleSettings(Session& session) {
    if (RefusedUnsendable(session, ModuleSettingsProblem(session)))
        return false;
    static constexpr std::array<SettingsOperation, 5> order{WriteDccSettings, WriteLedSettings, WriteHardwareConfig,
                                                            WriteSerialPortSettings, WriteSerialAddressing};
    return RunInOrder(session, order);
}

void SetModuleStartValues(Session& session) {
    ModuleSettings& module = session.image.module;
    module.lumoFlexBlock = 0;
    module.moduleXAddress = 0;
    module.serialBaud = 0;
    session.flexWarningSuppressed = false;
}

} // namespace vexa
