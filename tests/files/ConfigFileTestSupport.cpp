#include "ConfigFileTestSupport.h"

#include "WholeFile.h"

#include "core/Platform.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vexa::test {

std::vector<std::string> SplitCrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else if (c == '\r' || c == '\n') {
            lines.push_back("<bare line end>");
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line + "<no line end>");
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

ConfigurationImage MakeSampleImage() {
    ConfigurationImage image;
    ModuleSettings& module = image.module;
    module.idString = "Station \xC4rnes";
    module.dccAddress = 300;
    module.xdccAddress = 1500;
    module.dccPacketRepeat = 1;
    // Values that differ pairwise, so that two fields or bits swapped cannot pass for each other.
    module.dccStateInvert = true;
    module.dccAllowZero = false;
    module.nativeMode = true;
    module.moduleXAddress = 17;
    module.groupMask[0] = module.groupMask[5] = module.groupMask[15] = true;
    module.hwcSink = {true, false, true, false};
    module.hwcSource = {false, true, true, false};
    module.ledGreen = {1, 0, 1, 0, 0, 0, 0, 0};
    module.ledOrange = {0, 0, 0, 0, 0, 0, 0, CheckGrey};
    module.serialEnable = true;
    module.serialBaud = 4;
    module.serialDataBits = 8;
    module.serialParity = 3;
    module.serialStopBits = 2;

    for (int pin = 0; pin < PinCount; ++pin) {
        EventRecord& events = image.events[static_cast<std::size_t>(pin)];
        for (int k = 0; k < EventInputCount; ++k) {
            events.onEvents[static_cast<std::size_t>(k)] = static_cast<std::int16_t>((pin + k) % 13 - 1);
            events.offEvents[static_cast<std::size_t>(k)] = static_cast<std::int16_t>((pin * 3 + k) % 13 - 1);
        }
    }

    PinRecord& servo = image.pins[0];
    servo.description = "Turnout W\xFC";
    servo.deviceDescription = "Points 1";
    servo.configType = 1;
    servo.configParams = {64, 27, 70, 5, 6, 7, 8, 9, 10, 11, 12};
    servo.initialAspect = 2;
    servo.dccAddressCount = 2;
    servo.xdccAddressCount = 0;
    servo.lumoAddressCount = 3;
    servo.aspectLayout = LayoutFourByNine;
    for (int a = 0; a < 4; ++a) {
        AspectRecord& aspect = servo.aspects[static_cast<std::size_t>(a)];
        aspect.description = "Position " + std::to_string(a);
        for (int s = 0; s < 9; ++s)
            aspect.steps[static_cast<std::size_t>(s)] = {static_cast<std::uint8_t>(s < 3 ? 39 : 0),
                                                         static_cast<std::uint8_t>(s == 1 ? 1 : 0),
                                                         static_cast<std::uint8_t>(a),
                                                         static_cast<std::uint8_t>(60 + s),
                                                         static_cast<std::uint8_t>(s),
                                                         200};
    }

    PinRecord& signal = image.pins[1];
    signal.description = "Signal A";
    signal.deviceReferral = -1;
    signal.configType = 3;
    signal.configParams = {10, 3, 20, 0, 31, 0, 0, 0, 0, 0, 0};
    signal.aspectLayout = LayoutTwelveByThree;
    for (int a = 0; a < 12; ++a) {
        AspectRecord& aspect = signal.aspects[static_cast<std::size_t>(a)];
        if (a % 2 == 0)
            aspect.description = "Aspect " + std::to_string(a);
        aspect.steps[0] = {6, 1, 1, static_cast<std::uint8_t>(a), 0, 0};
        aspect.steps[2] = {102, 0, 0, 0, 5, 2};
    }

    PinRecord& input = image.pins[7];
    input.description = "Sensor";
    input.configType = 5;
    input.configParams = {1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0};
    input.deviceReferral = 24;

    image.pins[31].description = "Last";
    image.pins[31].configType = 2;
    image.pins[31].configParams = {0, 1, 2, 3, 4, 0, 0, 0, 0, 0, 0};
    return image;
}

TemporaryFolder::TemporaryFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("vexa-files-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TemporaryFolder::file(const std::string& name) const {
    return Utf8FromPath((path_ / PathFromUtf8(name)).make_preferred()); // "a/b" with the system's separator
}

std::string ReadBytes(const std::string& path) {
    return ReadWholeFile(path);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
        names.push_back(Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vexa::test
