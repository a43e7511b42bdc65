#pragma once

#include "files/FieldCursor.h"
#include "model/ConfigurationImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexa {

// Which pins a file names; a compact file leaves out the pins without a description.
using PinsNamed = std::array<bool, PinCount>;

// Reads a configuration data file: first the header, then the fields after it into an image.
// The reader changes only what the file names, except that the enforced eXtended address and
// the initial enable map become unknown unless the file holds them. It stops at the first field it cannot use (a
// file that ends before "End", a number that does not fit its field, a pin, aspect, step or
// event pin outside the tables) and says where; the image is then partly changed, so callers
// read into a copy and keep it only when the whole file was read.
class ConfigFileReader {
public:
    // The reader keeps a view of the bytes, which must outlive it: a temporary string is refused.
    explicit ConfigFileReader(std::string_view bytes);
    explicit ConfigFileReader(std::string&& bytes) = delete;

    // Reads the first field: false for an empty file or an invalid header.
    bool readHeader();
    // The data-file version of the header (valid after readHeader()).
    int version() const { return version_; }

    // Reads every field after the header up to "End" into the image; false when the file is
    // malformed, with problem() saying where and what.
    bool readBody(ConfigurationImage& image);
    // "Line <n>: <what was wrong>".
    const std::string& problem() const { return cursor_.problem(); }
    // The pins whose "Pin" line the body held.
    const PinsNamed& pinsNamed() const { return pinsNamed_; }

private:
    bool readTextBoxNumber(const char* what, int& value);

    bool runKeyword(const std::string& keyword, bool& ended);
    bool readDcc();
    bool readAddressing();
    bool readEnforcedXAddress();
    bool readEnableMap();
    bool readHardware();
    bool readLed();
    bool readSerialPort();
    bool readEvents(bool on);
    bool readPin();
    bool readDevice();
    bool readConfig();
    bool readAddressCounts();
    bool readAspect();
    bool readStep();

    PinRecord& currentPin() { return image_->pins[static_cast<std::size_t>(pin_)]; }

    configfile::FieldCursor cursor_;
    int version_ = 0;
    ConfigurationImage* image_ = nullptr;
    int pin_ = 0;    // set by "Pin"
    int aspect_ = 0; // set by "Asp"
    PinsNamed pinsNamed_{};
};

} // namespace vexa
