// Fuzz target for the device library reader. Any input must be read or refused without a
// crash, a hang or a sanitizer finding; a refused device must say why and leave the image as it
// was; and every device the reader loads must save into a library that loads back and settles.
#include "files/DeviceLibraryReader.h"
#include "files/DeviceLibraryWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t MaxDevicesTried = 4;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// Saves the device headed by `head`, loads the saved library at the same pin into a fresh
// image and saves it again: both saves must be the same bytes.
void CheckSaveSettles(vexa::ConfigurationImage& image, int head) {
    const std::string first = vexa::FormatDeviceLibrary(image, head);
    const vexa::LibraryContents contents = vexa::ReadLibraryContents(first);
    Require(contents.header.valid);
    if (contents.names.empty())
        return; // a device without a name has no entry to load again
    vexa::ConfigurationImage again;
    vexa::DeviceLoader loader(first);
    Require(loader.load(contents.names.front(), again, head) == vexa::DeviceLoader::Outcome::Loaded);
    const std::string second = vexa::FormatDeviceLibrary(again, head);
    vexa::ConfigurationImage third;
    vexa::DeviceLoader secondLoader(second);
    Require(secondLoader.load(contents.names.front(), third, head) == vexa::DeviceLoader::Outcome::Loaded);
    Require(vexa::FormatDeviceLibrary(third, head) == second);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vexa::LibraryContents contents = vexa::ReadLibraryContents(bytes);
    if (!contents.header.valid) {
        Require(contents.names.empty());
        return 0;
    }
    vexa::DeviceLoader loader(bytes);
    for (std::size_t i = 0; i < contents.names.size() && i < MaxDevicesTried; ++i) {
        for (const int start : {0, 31}) {
            vexa::ConfigurationImage image;
            image.pins[5].description = "in use";
            const vexa::ConfigurationImage before = image;
            const vexa::DeviceLoader::Outcome outcome = loader.load(contents.names[i], image, start);
            Require(outcome != vexa::DeviceLoader::Outcome::InvalidHeader);
            if (outcome != vexa::DeviceLoader::Outcome::Loaded) {
                Require(image == before);
                Require(outcome != vexa::DeviceLoader::Outcome::Malformed || !loader.problem().empty());
                continue;
            }
            Require(image.pins[static_cast<std::size_t>(start)].deviceDescription == contents.names[i] ||
                    image.pins[static_cast<std::size_t>(start)].deviceReferral != 0);
            if (image.pins[static_cast<std::size_t>(start)].deviceReferral == 0)
                CheckSaveSettles(image, start);
        }
    }
    return 0;
}
