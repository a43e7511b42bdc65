#include "files/DeviceLibraryReader.h"

#include "files/ConfigFileEncoding.h"
#include "files/ConfigFileFormat.h"
#include "files/ConfigFileLines.h"
#include "files/DeviceLibraryFormat.h"
#include "files/FieldCursor.h"

#include <cctype>
#include <optional>

namespace vexa {

using namespace configfile;
using namespace devicelibrary;

namespace {

constexpr const char* EarlyEndText = "the file ends in the middle of a line";
constexpr const char* NoEndText = "the file ends before the \"End\" line";

LibraryHeader ReadHeader(FieldCursor& cursor) {
    LibraryHeader header;
    Field first;
    if (!cursor.next(first) || first.text.compare(0, HeaderNameLength, devicelibrary::HeaderName) != 0)
        return header;
    header.valid = true;
    if (first.text.size() > static_cast<std::size_t>(VersionStart)) {
        header.hasVersion = true;
        header.versionText = first.text.substr(VersionStart);
    }
    return header;
}

// A decimal number, with or without a fraction ("12", "-3", "12.5").
bool IsNumberText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == digits)
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    return i == text.size();
}

// Reads the lines of one device, from just after its "Dev" line up to the next "Dev", "End"
// or the end of the bytes, into the image.
class DeviceBodyReader {
public:
    DeviceBodyReader(FieldCursor& cursor, ConfigurationImage& image, int startPin, std::vector<int>& usedPins)
        : cursor_(cursor), image_(image), startPin_(startPin), usedPins_(usedPins) {}

    bool read() {
        Field field;
        while (cursor_.next(field)) {
            const std::string& keyword = field.text;
            if (keyword == KeyDevice || keyword == KeyEnd)
                return true;
            if (!runKeyword(keyword, field.line))
                return false;
        }
        return true; // the last device before "End"
    }

private:
    bool runKeyword(const std::string& keyword, int line) {
        if (keyword == KeyPin)
            return readRelativePin();
        if (keyword == KeyAbsolutePin)
            return readAbsolutePin();
        const bool pinDetail =
            keyword == KeyAddressCounts || keyword == KeyConfig || keyword == KeyAspect || keyword == KeyStep;
        if (!pinDetail)
            return true; // any other field is skipped
        if (pin_ < 0)
            return cursor_.fail(line, "a \"" + keyword + "\" line comes before the first pin of the device");
        if (keyword == KeyAddressCounts)
            return readAddressCounts();
        if (keyword == KeyConfig)
            return readConfig();
        if (keyword == KeyAspect)
            return readAspect();
        return readStep();
    }

    PinRecord& target() { return image_.pins[static_cast<std::size_t>(pin_)]; }

    bool readRelativePin() {
        std::int16_t relative = 0;
        if (!cursor_.readInt("relative pin", relative))
            return false;
        return startPin(((startPin_ + relative) % PinCount + PinCount) % PinCount);
    }

    bool readAbsolutePin() {
        std::uint8_t absolute = 0;
        if (!cursor_.readByte("absolute pin", absolute))
            return false;
        return startPin(absolute % PinCount);
    }

    bool startPin(int pin) {
        pin_ = pin;
        aspect_ = 0;
        if (pin != startPin_)
            ReleaseDeviceHead(image_, pin);
        PinRecord& record = target();
        record.deviceReferral = static_cast<std::int16_t>(startPin_ - pin);
        if (!record.description.empty())
            usedPins_.push_back(pin);
        if (!cursor_.readByte("aspect layout", record.aspectLayout) ||
            !cursor_.readByte("initial aspect", record.initialAspect) || !cursor_.readText(record.description))
            return false;
        ClearAspects(record);
        record.dccAddressCount = 1;
        record.xdccAddressCount = 1;
        record.lumoAddressCount = 1;
        return true;
    }

    bool readAddressCounts() { return ReadAddressCountFields(cursor_, target(), true); }

    bool readParams(PinRecord& record, int first, int last) { return ReadConfigParams(cursor_, record, first, last); }

    // PWM levels p4 and p5 may be missing: the pin then keeps its own, and the field found in
    // their place is read again as a keyword.
    bool readOptionalLevels(PinRecord& record) {
        Field field;
        if (!cursor_.next(field))
            return true;
        if (!IsNumberText(field.text)) {
            cursor_.putBack(std::move(field));
            return true;
        }
        const std::int64_t level = LeadingNumberValue(field.text);
        if (level < 0 || level > 255)
            return cursor_.fail(field.line, "the configuration parameter " + std::to_string(level) + " is outside " +
                                                RangeText(0, 255));
        record.param(4) = static_cast<std::uint8_t>(level);
        return readParams(record, 5, 5);
    }

    bool readConfig() {
        PinRecord& record = target();
        if (!cursor_.readByte("configuration type", record.configType))
            return false;
        bool read = true;
        switch (record.configType) {
        case ServoType:
            read = readParams(record, 1, ConfigParamCount);
            break;
        case 2:
        case 3:
            read = readParams(record, 1, 3) && readOptionalLevels(record);
            break;
        case 4:
        case 5:
            read = readParams(record, 1, 4);
            break;
        default:
            record.configType = 0;
            record.configParams.fill(0);
            break;
        }
        record.liveValue = record.param(1);
        return read;
    }

    bool readAspect() { return ReadAspectFields(cursor_, target(), aspect_); }

    bool readStep() { return ReadStepFields(cursor_, target(), aspect_); }

    FieldCursor& cursor_;
    ConfigurationImage& image_;
    int startPin_;
    std::vector<int>& usedPins_;
    int pin_ = -1; // target pin of the lines read, set by "Pin" and "Pab"
    int aspect_ = 0;
};

} // namespace

std::string WholeLibraryProblem(std::string_view bytes) {
    FieldReader fields(bytes);
    Field field;
    while (fields.next(field)) {
        if (!field.closed)
            return "Line " + std::to_string(field.line) + ": " + UnclosedTextFieldText;
        if (field.text == KeyEnd)
            return {};
    }
    return "Line " + std::to_string(fields.line()) + ": " + NoEndText;
}

LibraryContents ReadLibraryContents(std::string_view bytes) {
    FieldCursor cursor(bytes, EarlyEndText);
    LibraryContents contents;
    contents.header = ReadHeader(cursor);
    if (!contents.header.valid)
        return contents;
    contents.problem = WholeLibraryProblem(bytes);
    if (!contents.problem.empty())
        return contents;
    Field field;
    while (cursor.next(field) && field.text != KeyEnd) {
        if (field.text != KeyDevice)
            continue;
        Field name;
        if (!cursor.next(name))
            break;
        if (!name.text.empty())
            contents.names.push_back(std::move(name.text));
    }
    return contents;
}

DeviceLoader::Outcome DeviceLoader::load(const std::string& name, ConfigurationImage& image, int startPin) {
    usedPins_.clear();
    problem_.clear();
    FieldCursor cursor(bytes_, EarlyEndText);
    if (!ReadHeader(cursor).valid)
        return Outcome::InvalidHeader;
    problem_ = WholeLibraryProblem(bytes_);
    if (!problem_.empty())
        return Outcome::Malformed;
    Field field;
    bool found = false;
    while (!found && cursor.next(field) && field.text != KeyEnd) {
        if (field.text != KeyDevice)
            continue;
        Field candidate;
        if (!cursor.next(candidate))
            break;
        found = candidate.text == name;
        if (!found && (candidate.text == KeyDevice || candidate.text == KeyEnd))
            cursor.putBack(std::move(candidate)); // a "Dev" without a name: read it as a keyword
    }
    if (!found)
        return Outcome::NotFound;

    ConfigurationImage loaded = image;
    const int start = ((startPin % PinCount) + PinCount) % PinCount;
    ReleaseDeviceHead(loaded, start);
    loaded.pins[static_cast<std::size_t>(start)].deviceDescription = name;
    DeviceBodyReader body(cursor, loaded, start, usedPins_);
    if (!body.read()) {
        problem_ = cursor.problem();
        usedPins_.clear();
        return Outcome::Malformed;
    }
    image = std::move(loaded);
    return Outcome::Loaded;
}

} // namespace vexa
