#include "files/ConfigFileReader.h"

#include "files/ConfigFileEncoding.h"
#include "files/ConfigFileFormat.h"
#include "files/ConfigFileLines.h"
#include "model/TextEncoding.h"

#include <limits>

namespace vexa {

using namespace configfile;

namespace {

// B / 64 rounded to the nearest whole number, halves to even.
std::int64_t BlockQuotientRounded(std::int64_t block) {
    std::int64_t quotient = block / 64;
    std::int64_t rest = block % 64;
    if (rest < 0) {
        rest += 64;
        --quotient;
    }
    if (rest > 32 || (rest == 32 && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// Bits 0..6 become check states 0..6. The default function (item 7) is shown grey exactly
// when none of them is set, so a byte with only bit 7 counts as zero as well.
void ApplyLedByte(std::array<std::uint8_t, 8>& items, std::uint8_t bits) {
    for (int k = 0; k < 7; ++k)
        items[static_cast<std::size_t>(k)] = (bits >> k) & 1;
    items[7] = (bits & 127) == 0 ? CheckGrey : 0;
}

} // namespace

ConfigFileReader::ConfigFileReader(std::string_view bytes)
    : cursor_(bytes, std::string("the file ends before the \"") + KeyEnd + "\" line") {}

bool ConfigFileReader::readHeader() {
    Field header;
    if (!cursor_.next(header))
        return false;
    if (header.text.size() != static_cast<std::size_t>(HeaderLength) || header.text.rfind(HeaderName, 0) != 0)
        return false;
    version_ = static_cast<int>(LeadingWholeNumber(std::string_view(header.text).substr(HeaderLength - 4)));
    return true;
}

// A value that the window holds as text typed by the user: its leading number counts. A
// fraction is refused rather than rounded: the configuration holds whole numbers only, and the
// file would come back with another value than it holds.
bool ConfigFileReader::readTextBoxNumber(const char* what, int& value) {
    Field field;
    if (!cursor_.required(field))
        return false;
    if (HasFraction(field.text))
        return cursor_.fail(field.line,
                            std::string("the ") + what + " " + Utf8FromLatin1(field.text) + " is not a whole number");
    const std::int64_t number = LeadingNumberValue(field.text);
    constexpr std::int64_t low = std::numeric_limits<std::int16_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int16_t>::max();
    if (number < low || number > high)
        return cursor_.fail(field.line, std::string("the ") + what + " " + std::to_string(number) + " is outside " +
                                            RangeText(low, high));
    value = static_cast<int>(number);
    return true;
}

bool ConfigFileReader::readBody(ConfigurationImage& image) {
    image_ = &image;
    pin_ = 0;
    aspect_ = 0;
    pinsNamed_ = {};
    cursor_.clearProblem();
    // Files of the older kind do not hold these: after reading one they are unknown, not what
    // the configuration held before.
    image.module.enforcedXAddress.reset();
    image.enableMap.reset();
    Field field;
    while (cursor_.required(field)) {
        bool ended = false;
        if (!runKeyword(field.text, ended))
            return false;
        if (ended)
            return true;
    }
    return false;
}

bool ConfigFileReader::runKeyword(const std::string& keyword, bool& ended) {
    if (keyword == KeyIdString)
        return cursor_.readText(image_->module.idString);
    if (keyword == KeyDcc)
        return readDcc();
    if (keyword == KeyAddressing)
        return readAddressing();
    if (keyword == KeyEnforcedXAddress)
        return readEnforcedXAddress();
    if (keyword == KeyEnableMap)
        return readEnableMap();
    if (keyword == KeyHardware)
        return readHardware();
    if (keyword == KeyLed)
        return readLed();
    if (keyword == KeySerialPort)
        return readSerialPort();
    if (keyword == KeyEventOn || keyword == KeyEventOnOld)
        return readEvents(true);
    if (keyword == KeyEventOff)
        return readEvents(false);
    if (keyword == KeyPin)
        return readPin();
    if (keyword == KeyDevice)
        return readDevice();
    if (keyword == KeyConfig)
        return readConfig();
    if (keyword == KeyAddressCounts)
        return readAddressCounts();
    if (keyword == KeyAspect)
        return readAspect();
    if (keyword == KeyStep)
        return readStep();
    if (keyword == KeyEnd)
        ended = true;
    return true; // any other field is skipped
}

bool ConfigFileReader::readDcc() {
    ModuleSettings& module = image_->module;
    if (!readTextBoxNumber("DCC address", module.dccAddress))
        return false;
    if (version_ > LastVersionWithoutExtendedDcc && !readTextBoxNumber("extended DCC address", module.xdccAddress))
        return false;
    if (version_ > LastVersionWithDccAddressOnly) {
        std::uint8_t flags = 0;
        if (!cursor_.readByte("DCC option byte", flags))
            return false;
        module.dccAllowZero = (flags & 8) != 0;
        module.dccStateInvert = (flags & 4) != 0;
        module.dccPacketRepeat = flags & 3;
    }
    return true;
}

bool ConfigFileReader::readAddressing() {
    std::int16_t block = 0;
    std::int16_t flex = 0;
    std::uint8_t xAddress = 0;
    std::array<std::uint8_t, 4> masks{};
    if (!cursor_.readInt("Lumo flex block", block) || !cursor_.readInt("flex addressing flag", flex) ||
        !cursor_.readByte("module eXtended address", xAddress))
        return false;
    for (std::uint8_t& mask : masks)
        if (!cursor_.readByte("group mask byte", mask))
            return false;

    ModuleSettings& module = image_->module;
    if (flex == 1) {
        if (block < 0 || block > 127)
            return cursor_.fail(cursor_.lastLine(),
                                "the Lumo flex block " + std::to_string(block) + " is outside 0..127");
        module.lumoFlexAddressing = true;
        module.nativeMode = false;
        module.lumoFlexBlock = static_cast<std::uint8_t>(block);
    } else {
        module.lumoFlexAddressing = false;
        module.nativeMode = version_ >= FirstVersionWithNativeMode && BlockQuotientRounded(block) % 2 != 0;
        module.lumoFlexBlock = 0;
    }
    module.moduleXAddress = xAddress;
    for (int k = 0; k < 4; ++k)
        for (int i = 0; i < 4; ++i)
            module.groupMask[static_cast<std::size_t>(4 * k + i)] = (masks[static_cast<std::size_t>(k)] >> i) & 1;
    return true;
}

bool ConfigFileReader::readEnforcedXAddress() {
    std::int64_t enforced = 0;
    if (!cursor_.readNumber("enforced eXtended address flag", 0, 1, enforced))
        return false;
    image_->module.enforcedXAddress = enforced == 1;
    return true;
}

bool ConfigFileReader::readEnableMap() {
    EnableMap map{};
    for (bool& enabled : map) {
        std::int64_t value = 0;
        if (!cursor_.readNumber("initial enable flag", 0, 1, value))
            return false;
        enabled = value == 1;
    }
    image_->enableMap = map;
    return true;
}

bool ConfigFileReader::readHardware() {
    ModuleSettings& module = image_->module;
    for (std::size_t b = 0; b < module.hwcSink.size(); ++b) {
        std::int16_t drivers = 0;
        if (!cursor_.readInt("hardware configuration", drivers))
            return false;
        module.hwcSink[b] = (drivers & 1) != 0;
        module.hwcSource[b] = (drivers & 2) != 0;
    }
    return true;
}

bool ConfigFileReader::readLed() {
    std::uint8_t green = 0;
    if (!cursor_.readByte("green LED byte", green))
        return false;
    ApplyLedByte(image_->module.ledGreen, green);
    std::uint8_t orange = 0;
    if (!cursor_.readByte("orange LED byte", orange))
        return false;
    ApplyLedByte(image_->module.ledOrange, orange);
    return true;
}

bool ConfigFileReader::readSerialPort() {
    std::int16_t enable = 0;
    std::string baud;
    std::int16_t dataBits = 0;
    std::int16_t parity = 0;
    std::int16_t stopBits = 0;
    if (!cursor_.readInt("serial enable flag", enable) || !cursor_.readText(baud) ||
        !cursor_.readInt("serial data bits", dataBits) || !cursor_.readInt("serial parity", parity) ||
        !cursor_.readInt("serial stop bits", stopBits))
        return false;
    ModuleSettings& module = image_->module;
    module.serialEnable = enable == 1;
    for (std::size_t i = 0; i < SerialBaudTexts.size(); ++i)
        if (baud == SerialBaudTexts[i])
            module.serialBaud = static_cast<std::uint8_t>(i);
    module.serialDataBits = dataBits == 8 ? 8 : 7;
    module.serialParity = parity == 3 ? 3 : (parity == 2 ? 2 : 0);
    module.serialStopBits = stopBits == 2 ? 2 : 1;
    return true;
}

bool ConfigFileReader::readEvents(bool on) {
    int pin = 0;
    if (!cursor_.readIndex("event pin", PinCount, pin))
        return false;
    EventRecord& record = image_->events[static_cast<std::size_t>(pin)];
    for (std::int16_t& action : on ? record.onEvents : record.offEvents) {
        // The file holds the action plus one, so the action itself must fit.
        std::int64_t stored = 0;
        if (!cursor_.readNumber("event action", std::numeric_limits<std::int16_t>::min() + 1,
                                std::numeric_limits<std::int16_t>::max() + 1, stored))
            return false;
        action = static_cast<std::int16_t>(stored - 1);
    }
    return true;
}

bool ConfigFileReader::readPin() {
    if (!cursor_.readIndex("pin", PinCount, pin_))
        return false;
    pinsNamed_[static_cast<std::size_t>(pin_)] = true;
    PinRecord& pin = currentPin();
    if (!cursor_.readByte("aspect layout", pin.aspectLayout) ||
        !cursor_.readByte("initial aspect", pin.initialAspect) || !cursor_.readText(pin.description))
        return false;
    pin.dccAddressCount = 1;
    pin.xdccAddressCount = 1;
    pin.lumoAddressCount = 1;
    ClearAspects(pin);
    return true;
}

bool ConfigFileReader::readDevice() {
    PinRecord& pin = currentPin();
    return cursor_.readInt("device referral", pin.deviceReferral) && cursor_.readText(pin.deviceDescription);
}

bool ConfigFileReader::readConfig() {
    PinRecord& pin = currentPin();
    if (!cursor_.readByte("configuration type", pin.configType))
        return false;
    int inFile = ConfigParamsInFile(pin.configType);
    const bool pwm = pin.configType == 2 || pin.configType == 3;
    if (pwm && version_ <= LastVersionWithoutPwmLevels)
        inFile = 3;
    if (!ReadConfigParams(cursor_, pin, 1, inFile))
        return false;
    if (pwm) {
        if (version_ <= LastVersionWithoutPwmLevels) {
            pin.param(4) = 0;
            pin.param(5) = 31;
        }
        for (int n = 6; n <= ConfigParamCount; ++n)
            pin.param(n) = 0;
    } else if (pin.configType == ServoType) {
        pin.param(2) = ConvertOlderServoOptions(pin.param(2));
    } else if (inFile == 0) {
        pin.configType = 0;
        pin.configParams.fill(0);
    }
    pin.liveValue = pin.param(1);
    return true;
}

bool ConfigFileReader::readAddressCounts() {
    return ReadAddressCountFields(cursor_, currentPin(), version_ > LastVersionWithoutExtendedDcc);
}

bool ConfigFileReader::readAspect() {
    return ReadAspectFields(cursor_, currentPin(), aspect_);
}

bool ConfigFileReader::readStep() {
    return ReadStepFields(cursor_, currentPin(), aspect_);
}

} // namespace vexa
