// The saved form of a configuration is what a save and a load of it give, for every kind of value.

#include "ConfigFileTestSupport.h"
#include "Fixtures.h"

#include "files/ConfigFileForm.h"
#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"
#include "model/ConfigurationChange.h"

#include <gtest/gtest.h>

#include <random>

namespace vexa::test {
namespace {

// Values of every field drawn at random, many of them beyond what the file or the wire keeps.
ConfigurationImage RandomImage(std::mt19937& random) {
    const auto byte = [&random] { return static_cast<std::uint8_t>(random() % 256); };
    const auto text = [&random] {
        static const std::string letters = "ab \"\r\n,\xE4";
        std::string made;
        for (std::size_t n = random() % 5; n > 0; --n)
            made += letters[random() % letters.size()];
        return made;
    };
    ConfigurationImage image;
    ModuleSettings& module = image.module;
    module.idString = text();
    module.dccAddress = static_cast<int>(random() % 2000);
    module.dccPacketRepeat = byte();
    module.lumoFlexAddressing = random() % 2 != 0;
    module.nativeMode = random() % 2 != 0;
    module.lumoFlexBlock = static_cast<std::uint8_t>(random() % 128);
    module.moduleXAddress = byte();
    module.ledGreen = {byte(), 0, 1, 0, 0, 0, 0, 0};
    module.serialBaud = static_cast<std::uint8_t>(random() % 10);
    module.serialDataBits = byte();
    module.serialParity = byte();
    module.serialStopBits = byte();
    if (random() % 2 != 0)
        image.enableMap = EnableMap{true, false, true};
    for (EventRecord& events : image.events)
        events.offEvents[random() % EventInputCount] = static_cast<std::int16_t>(random() % 400) - 200;
    for (PinRecord& pin : image.pins) {
        pin.description = random() % 3 != 0 ? text() : std::string();
        pin.deviceDescription = text();
        pin.deviceReferral = static_cast<std::int16_t>(random() % 64) - 32;
        pin.configType = static_cast<std::uint8_t>(random() % 8);
        for (std::uint8_t& param : pin.configParams)
            param = byte();
        pin.liveValue = byte();
        pin.initialAspect = byte();
        pin.dccAddressCount = byte();
        pin.aspectLayout = std::array<std::uint8_t, 4>{0, 2, 3, 7}[random() % 4];
        for (AspectRecord& aspect : pin.aspects) {
            aspect.description = random() % 2 != 0 ? text() : std::string();
            for (AspectStep& step : aspect.steps)
                step = {static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : byte()),
                        static_cast<std::uint8_t>(random() % 2),
                        byte(),
                        byte(),
                        byte(),
                        byte()};
        }
    }
    image.currentPin = 5;
    return image;
}

ConfigurationImage Loaded(const std::string& bytes) {
    ConfigurationImage image;
    ConfigFileReader reader(bytes);
    EXPECT_TRUE(reader.readHeader());
    EXPECT_TRUE(reader.readBody(image)) << reader.problem();
    return image;
}

TEST(ConfigFileFormTest, IsWhatASaveAndALoadIntoAFreshConfigurationGive) {
    std::vector<ConfigurationImage> images{MakeSampleImage(), Loaded(ReadBytes(FixturePath(RichDataFile)))};
    std::mt19937 random(27);
    for (int i = 0; i < 40; ++i)
        images.push_back(RandomImage(random));
    for (std::size_t i = 0; i < images.size(); ++i)
        for (const bool compact : {false, true}) {
            ConfigurationImage written = images[i];
            const ConfigurationImage saved = ConfigurationAsSaved(images[i], compact);
            EXPECT_TRUE(SameConfiguration(saved, Loaded(FormatConfigurationFile(written, compact))))
                << "image " << i << (compact ? ", compact" : ", full");
            EXPECT_TRUE(SameConfiguration(ConfigurationAsSaved(saved, false), saved)) << "image " << i;
        }
}

} // namespace
} // namespace vexa::test
