#include "link/HeldTraffic.h"

#include "model/ConfigurationImage.h"

#include <optional>
#include <utility>

namespace vexa {

namespace {

// The requests that store or read the configuration. Each read code is its write code + 16.
enum RequestCode : int {
    WriteSetting = 96,
    WriteTypeBlock = 97,
    WriteLayout = 98,
    WriteStep = 99,
    WriteInitialOrEventOn = 100,
    WriteEventOff = 101,
    WriteAddressConfig = 102,
    ReadSetting = 112,
    ReadTypeBlock = 113,
    ReadLayout = 114,
    ReadStep = 115,
    ReadInitialAndEventOn = 116,
    ReadEventOff = 117,
    ReadAddressConfig = 118,
};
constexpr int ActiveTypeEcho = 81; // a type-block answer may echo the active setting's code
constexpr int EraseSetting = 0;    // 96, 0 and the confirmation bytes erase the configuration
constexpr int VersionSetting = 0;
constexpr int IdStringSetting = 10;
constexpr int InitialAspectNibble = 7; // the high nibble of an initial-aspect byte

using Part = std::pair<HeldKey, std::vector<int>>;

std::vector<int> From(const std::vector<int>& bytes, std::size_t first) {
    return first < bytes.size() ? std::vector<int>(bytes.begin() + static_cast<std::ptrdiff_t>(first), bytes.end())
                                : std::vector<int>{};
}

HeldKey PinKey(HeldPart part, int pin) {
    return HeldKey{part, pin};
}

// Number of data bytes of the answer to 112, s (echo included), as the controller gives it for
// each setting it keeps; nullopt for the identity string, whose length varies.
std::optional<int> SettingAnswerSize(int setting) {
    switch (setting) {
    case 2:
    case 5:
    case 6:
    case 7:
        return 3;
    case 4:
    case 8:
    case 11:
    case 12:
    case 13:
        return 4;
    case 1:
    case 3:
        return 6;
    default:
        return std::nullopt;
    }
}

// The parts a write request stores, with their values; none for a request that stores none.
std::vector<Part> WrittenParts(const std::vector<int>& request) {
    const std::size_t size = request.size();
    if (size < 2)
        return {};
    const int index = request[1];
    switch (request[0]) {
    case WriteSetting:
        return {{HeldKey{HeldPart::Setting, index}, From(request, 2)}};
    case WriteTypeBlock:
        return size >= 3 ? std::vector<Part>{{PinKey(HeldPart::TypeBlock, index), From(request, 2)}}
                         : std::vector<Part>{};
    case WriteLayout:
        return size == 3 ? std::vector<Part>{{PinKey(HeldPart::Layout, index), From(request, 2)}} : std::vector<Part>{};
    case WriteStep:
        return size == 9 ? std::vector<Part>{{HeldKey{HeldPart::Step, index, request[2], request[3]}, From(request, 4)}}
                         : std::vector<Part>{};
    case WriteInitialOrEventOn:
        if (size == 3)
            return {{PinKey(HeldPart::InitialAspect, index), From(request, 2)}};
        return size == 6 ? std::vector<Part>{{PinKey(HeldPart::EventOn, index), From(request, 2)}}
                         : std::vector<Part>{};
    case WriteEventOff:
        return size == 6 ? std::vector<Part>{{PinKey(HeldPart::EventOff, index), From(request, 2)}}
                         : std::vector<Part>{};
    case WriteAddressConfig:
        return size == 5 ? std::vector<Part>{{PinKey(HeldPart::AddressConfig, index), From(request, 2)}}
                         : std::vector<Part>{};
    default:
        return {};
    }
}

bool Echoes(const LinkState& link, const std::vector<int>& request, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (i >= request.size() || link.answerData(static_cast<int>(i)) != request[i])
            return false;
    return true;
}

// The parts an answer to a read request tells, when it is the answer of that request in the
// size the controller gives it; none otherwise.
std::vector<Part> AnsweredParts(const std::vector<int>& request, const LinkState& link) {
    if (request.size() < 2)
        return {};
    const int size = link.answerSize();
    const int index = request[1];
    const int code = link.answerData(0);
    if (request[0] == ReadTypeBlock) {
        if (size < 3 || (code != ReadTypeBlock && code != ActiveTypeEcho) || link.answerData(1) != index)
            return {};
        return {{PinKey(HeldPart::TypeBlock, index), link.answerFrom(2)}};
    }
    if (!Echoes(link, request, request[0] == ReadStep ? 4 : 2))
        return {};
    switch (request[0]) {
    case ReadSetting: {
        const std::optional<int> expected = SettingAnswerSize(index);
        const bool fits = expected ? size == *expected : index == IdStringSetting && size >= 2;
        if (!fits || index == VersionSetting)
            return {};
        return {{HeldKey{HeldPart::Setting, index}, link.answerFrom(2)}};
    }
    case ReadLayout:
        return size == 3 ? std::vector<Part>{{PinKey(HeldPart::Layout, index), link.answerFrom(2)}}
                         : std::vector<Part>{};
    case ReadStep:
        return size == 9
                   ? std::vector<Part>{{HeldKey{HeldPart::Step, index, request[2], request[3]}, link.answerFrom(4)}}
                   : std::vector<Part>{};
    case ReadInitialAndEventOn: {
        if (size != 7)
            return {};
        std::vector<Part> parts{{PinKey(HeldPart::EventOn, index), link.answerFrom(3)}};
        // A byte of another kind where the initial aspect belongs tells nothing of it.
        if (link.answerData(2) >> 4 == InitialAspectNibble)
            parts.push_back({PinKey(HeldPart::InitialAspect, index), {link.answerData(2)}});
        return parts;
    }
    case ReadEventOff:
        return size == 6 ? std::vector<Part>{{PinKey(HeldPart::EventOff, index), link.answerFrom(2)}}
                         : std::vector<Part>{};
    case ReadAddressConfig:
        return size == 5 ? std::vector<Part>{{PinKey(HeldPart::AddressConfig, index), link.answerFrom(2)}}
                         : std::vector<Part>{};
    default:
        return {};
    }
}

// Steps are addressed within the aspect layout: those held under another layout (or under one
// not known) say nothing once a layout is held anew.
void HoldPart(ControllerCopy& copy, Part& part) {
    if (part.first.part == HeldPart::Layout) {
        const std::vector<int>* layout = copy.find(part.first);
        if (!layout || *layout != part.second)
            for (int aspect = 0; aspect < AspectCount; ++aspect)
                for (int step = 0; step < StepCount; ++step)
                    copy.forget({HeldPart::Step, part.first.index, aspect, step});
    }
    copy.hold(part.first, std::move(part.second));
}

bool IsErase(const std::vector<int>& request) {
    return request.size() >= 2 && request[0] == WriteSetting && request[1] == EraseSetting;
}

// The parts a write request stores, with the values as its frame carried them.
std::vector<Part> SentParts(const std::vector<int>& request) {
    std::vector<Part> parts = WrittenParts(request);
    for (Part& part : parts)
        for (int& value : part.second)
            value &= 127;
    return parts;
}

// The read request that answers with the part.
std::vector<int> ReadOf(const HeldKey& key) {
    switch (key.part) {
    case HeldPart::Setting:
        return {ReadSetting, key.index};
    case HeldPart::TypeBlock:
        return {ReadTypeBlock, key.index};
    case HeldPart::Layout:
        return {ReadLayout, key.index};
    case HeldPart::Step:
        return {ReadStep, key.index, key.aspect, key.step};
    case HeldPart::InitialAspect:
    case HeldPart::EventOn:
        return {ReadInitialAndEventOn, key.index};
    case HeldPart::EventOff:
        return {ReadEventOff, key.index};
    case HeldPart::AddressConfig:
        return {ReadAddressConfig, key.index};
    }
    return {};
}

} // namespace

std::optional<std::vector<int>> ReadBackRequest(const std::vector<int>& write) {
    const std::vector<Part> parts = WrittenParts(write);
    if (parts.empty() || IsErase(write))
        return std::nullopt;
    const HeldKey& key = parts.front().first;
    // A setting is told by its read only where the answer's size is known.
    if (key.part == HeldPart::Setting && !SettingAnswerSize(key.index) && key.index != IdStringSetting)
        return std::nullopt;
    return ReadOf(key);
}

bool AnswerHoldsWrite(const std::vector<int>& write, const std::vector<int>& readBack, const LinkState& link) {
    const std::vector<Part> written = SentParts(write);
    if (written.empty() || !link.answerValid)
        return false;
    for (const Part& told : AnsweredParts(readBack, link))
        if (told == written.front())
            return true;
    return false;
}

void NoteExchange(Session& session, const std::vector<int>& request, bool answerAwaited, bool sent) {
    if (!sent)
        return; // nothing went out: the controller holds what it held
    ControllerCopy& copy = session.controllerCopy();
    if (IsErase(request)) {
        copy.forgetAll();
        return;
    }
    if (!request.empty() && request[0] >= ReadSetting) {
        if (session.link.answerValid)
            for (Part& part : AnsweredParts(request, session.link))
                HoldPart(copy, part);
        return;
    }
    const bool wentThrough = !answerAwaited || session.link.answerValid;
    for (Part& part : SentParts(request)) {
        if (wentThrough)
            HoldPart(copy, part);
        else
            copy.forget(part.first);
    }
}

} // namespace vexa
