#include "sim/SimStateFile.h"

#include "core/Platform.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace vexa {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t MaxLineLength = 4096;
constexpr std::uintmax_t MaxFileSize = 1 << 20; // a full state is some 50 kB

template <typename Container> std::string Joined(const Container& values) {
    std::string text;
    for (auto value : values)
        text += ' ' + std::to_string(static_cast<int>(value));
    return text;
}

// The text of the identity string for a comment line: control characters become '?'.
std::string Printable(const Bytes& values) {
    std::string text;
    for (std::uint8_t c : values)
        text += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    return text;
}

std::string Render(const ControllerMemory& memory) {
    std::ostringstream out;
    out << SimStateHeader << "\n# Simulated Vexa controller: module settings, then per pin its memory\n";
    for (int s = 0; s < SimSettingCount; ++s) {
        if (!SettingValueLength(s))
            continue;
        const Bytes& values = memory.settings[static_cast<std::size_t>(s)];
        if (s == SettingIdString)
            out << "# identity string \"" << Printable(values) << "\"\n";
        out << "setting " << s << Joined(values) << '\n';
    }
    for (int p = 0; p < PinCount; ++p) {
        const SimPin& pin = memory.pins[static_cast<std::size_t>(p)];
        const std::string prefix = "pin " + std::to_string(p) + ' ';
        out << prefix << "active" << Joined(pin.activeBlock) << '\n';
        out << prefix << "flash" << Joined(pin.flashBlock) << '\n';
        out << prefix << "layout " << int{pin.aspectLayout} << '\n';
        for (int slot = 0; slot < SimStepSlotCount; ++slot) {
            const SimStep& step = pin.steps[static_cast<std::size_t>(slot)];
            if (step != SimStep{})
                out << prefix << "step " << slot << ' ' << int{step.instruction} << Joined(step.values) << '\n';
        }
        out << prefix << "initial " << int{pin.initialAspect} << '\n';
        out << prefix << "eventon" << Joined(pin.eventOn) << '\n';
        out << prefix << "eventoff" << Joined(pin.eventOff) << '\n';
        out << prefix << "address" << Joined(pin.addressConfig) << '\n';
    }
    return out.str();
}

// One line of the file being read, split into words, with the reason of the first fault.
class Line {
public:
    explicit Line(const std::string& text) {
        std::istringstream in(text);
        for (std::string word; in >> word;)
            words_.push_back(word);
    }

    bool empty() const { return words_.empty() || words_[0][0] == '#'; }
    const std::string& word(std::size_t i) const { return words_.at(i); }
    std::size_t size() const { return words_.size(); }

    // Whole number at word i within min..max.
    bool number(std::size_t i, int min, int max, int& value, std::string& error) const {
        if (i >= words_.size()) {
            error = "a number is missing";
            return false;
        }
        const std::string& text = words_[i];
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size()) {
            error = "\"" + text + "\" is not a number";
            return false;
        }
        if (value < min || value > max) {
            error = text + " is outside " + std::to_string(min) + ".." + std::to_string(max);
            return false;
        }
        return true;
    }

    // The byte values from word `first` to the end of the line.
    bool bytes(std::size_t first, Bytes& values, std::string& error) const {
        values.clear();
        for (std::size_t i = first; i < words_.size(); ++i) {
            int value = 0;
            if (!number(i, 0, 127, value, error))
                return false;
            values.push_back(static_cast<std::uint8_t>(value));
        }
        return true;
    }

private:
    std::vector<std::string> words_;
};

bool ReadSetting(const Line& line, ControllerMemory& memory, std::string& error) {
    int s = 0;
    Bytes values;
    if (!line.number(1, 0, SimSettingCount - 1, s, error) || !line.bytes(2, values, error))
        return false;
    if (!SettingValueLength(s)) {
        error = "the controller has no setting " + std::to_string(s);
        return false;
    }
    if (!SettingValuesFit(s, values.size())) {
        error = "setting " + std::to_string(s) + " cannot hold " + std::to_string(values.size()) + " values";
        return false;
    }
    memory.settings[static_cast<std::size_t>(s)] = std::move(values);
    return true;
}

template <std::size_t N> bool FixedBytes(const Bytes& values, std::array<std::uint8_t, N>& target, std::string& error) {
    if (values.size() != N) {
        error = "expected " + std::to_string(N) + " values";
        return false;
    }
    std::copy(values.begin(), values.end(), target.begin());
    return true;
}

bool SlotsOfInputs(const Bytes& values, std::array<std::uint8_t, EventInputCount>& slots, std::string& error) {
    if (!FixedBytes(values, slots, error))
        return false;
    for (std::size_t k = 0; k < slots.size(); ++k)
        if ((slots[k] >> 4) != k) {
            error = "event slot " + std::to_string(k) + " must lie in " + std::to_string(16 * k) + ".." +
                    std::to_string(16 * k + 15);
            return false;
        }
    return true;
}

bool ValidAddressConfig(const std::array<std::uint8_t, 3>& config, std::string& error) {
    if (config[0] > 15 || config[1] < 16 || config[1] > 31 || config[2] < 64 || config[2] > 95) {
        error = "address bytes must lie in 0..15, 16..31 and 64..95";
        return false;
    }
    return true;
}

bool ReadPinItem(const Line& line, ControllerMemory& memory, std::string& error) {
    int p = 0;
    if (!line.number(1, 0, PinCount - 1, p, error))
        return false;
    if (line.size() < 3) {
        error = "the pin item is missing";
        return false;
    }
    SimPin& pin = memory.pins[static_cast<std::size_t>(p)];
    const std::string& item = line.word(2);
    Bytes values;
    if (item == "step") {
        int slot = 0;
        if (!line.number(3, 0, SimStepSlotCount - 1, slot, error) || !line.bytes(4, values, error))
            return false;
        if (values.size() != 5) {
            error = "a step has an instruction byte and four step bytes";
            return false;
        }
        SimStep& step = pin.steps[static_cast<std::size_t>(slot)];
        step.instruction = values[0];
        std::copy(values.begin() + 1, values.end(), step.values.begin());
        return true;
    }
    if (!line.bytes(3, values, error))
        return false;
    if (item == "active" || item == "flash") {
        const auto length = values.empty() ? std::nullopt : TypeBlockLength(values[0]);
        if ((!length || *length != values.size()) && !IsShortPwmBlock(values)) {
            error = "not a type block (type 0..5 with its parameters)";
            return false;
        }
        (item == "active" ? pin.activeBlock : pin.flashBlock) = values;
        return true;
    }
    if (item == "layout") {
        if (values.size() != 1 ||
            !(values[0] == LayoutNone || values[0] == LayoutTwelveByThree || values[0] == LayoutFourByNine)) {
            error = "the layout is 0, 2 or 3";
            return false;
        }
        pin.aspectLayout = values[0];
        return true;
    }
    if (item == "initial") {
        if (values.size() != 1 || (values[0] >> 4) != 7) {
            error = "the initial aspect byte lies in 112..127";
            return false;
        }
        pin.initialAspect = values[0];
        return true;
    }
    if (item == "eventon")
        return SlotsOfInputs(values, pin.eventOn, error);
    if (item == "eventoff")
        return SlotsOfInputs(values, pin.eventOff, error);
    if (item == "address") {
        std::array<std::uint8_t, 3> config{};
        if (!FixedBytes(values, config, error) || !ValidAddressConfig(config, error))
            return false;
        pin.addressConfig = config;
        return true;
    }
    error = "unknown pin item \"" + item + "\"";
    return false;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

} // namespace

bool SaveSimState(const ControllerMemory& memory, const std::string& path, std::string& error) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(PathFromUtf8(temporary), std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot write " + temporary + ": " + std::strerror(errno);
            return false;
        }
        out << Render(memory);
        out.flush();
        if (!out) {
            error = "cannot write " + temporary;
            std::filesystem::remove(PathFromUtf8(temporary));
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(PathFromUtf8(temporary), PathFromUtf8(path), ec);
    if (ec) {
        error = "cannot replace " + path + ": " + ec.message();
        std::filesystem::remove(PathFromUtf8(temporary), ec);
        return false;
    }
    return true;
}

bool LoadSimState(const std::string& path, ControllerMemory& memory, std::string& error) {
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(PathFromUtf8(path), sizeError);
    if (!sizeError && size > MaxFileSize) {
        error = path + ": the file is too large for a simulator state";
        return false;
    }
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::array<std::uint8_t, 4> version{3, 1, 0, 12};
    if (memory.settings[SettingVersion].size() == version.size())
        std::copy_n(memory.settings[SettingVersion].begin(), version.size(), version.begin());
    ControllerMemory loaded = FactoryMemory(version);

    std::string text;
    int number = 0;
    bool headerSeen = false;
    while (std::getline(in, text)) {
        ++number;
        const auto fail = [&](const std::string& reason) {
            error = path + ": line " + std::to_string(number) + ": " + reason;
            return false;
        };
        if (text.size() > MaxLineLength)
            return fail("the line is too long");
        text = WithoutLineEnd(text);
        if (!headerSeen) {
            if (text != SimStateHeader)
                return fail("not a simulator state file (the first line must be \"" + std::string(SimStateHeader) +
                            "\")");
            headerSeen = true;
            continue;
        }
        const Line line(text);
        if (line.empty())
            continue;
        std::string reason;
        bool ok = false;
        if (line.word(0) == "setting")
            ok = ReadSetting(line, loaded, reason);
        else if (line.word(0) == "pin")
            ok = ReadPinItem(line, loaded, reason);
        else
            reason = "unknown item \"" + line.word(0) + "\"";
        if (!ok)
            return fail(reason);
    }
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    if (!headerSeen) {
        error = path + ": the file is empty";
        return false;
    }
    memory = std::move(loaded);
    return true;
}

} // namespace vexa
