// Fuzz target for the configuration data file reader. Any input must be read or refused
// without a crash, a hang or a sanitizer finding; a refused file must say why; and whatever
// the reader accepts, the writer must turn into a file that reads back cleanly, as the saved form
// of the configuration says, and settles.
#include "files/ConfigFileForm.h"
#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"
#include "model/ConfigurationChange.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Reads a whole file into the image; false when the header or the body is refused.
bool ReadsCleanly(std::string_view bytes, vexa::ConfigurationImage& image) {
    vexa::ConfigFileReader reader(bytes);
    if (!reader.readHeader())
        return false;
    const bool read = reader.readBody(image);
    if (!read && reader.problem().empty())
        std::abort(); // a refused body always says where and why
    return read;
}

void CheckWriterRoundTrip(const vexa::ConfigurationImage& accepted, bool compact) {
    vexa::ConfigurationImage image = accepted;
    const std::string first = vexa::FormatConfigurationFile(image, compact);
    vexa::ConfigurationImage second;
    if (!ReadsCleanly(first, second) || !vexa::SameConfiguration(second, vexa::ConfigurationAsSaved(accepted, compact)))
        std::abort();
    const std::string secondText = vexa::FormatConfigurationFile(second, compact);
    vexa::ConfigurationImage third;
    if (!ReadsCleanly(secondText, third))
        std::abort();
    if (vexa::FormatConfigurationFile(third, compact) != secondText)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vexa::ConfigurationImage image;
    if (!ReadsCleanly(bytes, image))
        return 0;
    CheckWriterRoundTrip(image, false);
    CheckWriterRoundTrip(image, true);
    return 0;
}
