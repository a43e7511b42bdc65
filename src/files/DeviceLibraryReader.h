#pragma once

#include "model/ConfigurationImage.h"

#include <string>
#include <string_view>
#include <vector>

namespace vexa {

// What the first field of a device library says.
struct LibraryHeader {
    bool valid = false;      // it starts with "VexaDeviceDefinitions"
    bool hasVersion = false; // it is long enough to carry a version text
    std::string versionText; // the text from its 23rd character on
};

// What makes a library unusable as a whole ("Line <n>: <what>"), or nothing: a text field
// without its closing quote, or no "End" line (the file was cut off, perhaps inside a device).
std::string WholeLibraryProblem(std::string_view bytes);

// The header and the device names of a library, in file order, up to "End"; a "Dev" without a
// name is left out. A library that is not whole lists no device and says why in `problem`.
struct LibraryContents {
    LibraryHeader header;
    std::vector<std::string> names;
    std::string problem;
};
LibraryContents ReadLibraryContents(std::string_view bytes);

// Copies one named device of a library into the pins of an image, from a start pin on.
class DeviceLoader {
public:
    enum class Outcome { Loaded, InvalidHeader, NotFound, Malformed };

    explicit DeviceLoader(std::string_view bytes) : bytes_(bytes) {}

    // Loads the first device of that name (names are compared exactly). Only a Loaded outcome
    // changes the image: a device whose lines cannot be read, or a library that is not whole,
    // leaves it as it was.
    Outcome load(const std::string& name, ConfigurationImage& image, int startPin);

    // Pins that held a description before the device was loaded into them, in load order.
    const std::vector<int>& usedPins() const { return usedPins_; }
    // For a Malformed outcome: "Line <n>: <what was wrong>".
    const std::string& problem() const { return problem_; }

private:
    std::string_view bytes_;
    std::vector<int> usedPins_;
    std::string problem_;
};

} // namespace vexa
