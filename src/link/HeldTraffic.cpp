#include "link/HeldTraffic.h"

#include "link/RequestTable.h"
#include "link/TypeBlockForm.h"
#include "model/ConfigurationImage.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vexa {

namespace {

constexpr int EraseSetting = VersionSetting; // 96, 0 and the confirmation bytes erase the configuration
constexpr int InitialAspectNibble = 7;       // the high nibble of an initial-aspect byte

using Part = std::pair<HeldKey, std::vector<int>>;

std::vector<int> From(const std::vector<int>& bytes, std::size_t first) {
    return first < bytes.size() ? std::vector<int>(bytes.begin() + static_cast<std::ptrdiff_t>(first), bytes.end())
                                : std::vector<int>{};
}

// The part a request names by its key bytes: pin or setting, and for a step its aspect and step.
HeldKey KeyOf(const RequestRow& row, const std::vector<int>& request) {
    HeldKey key{*row.held, request[1]};
    if (row.keyBytes == 4) {
        key.aspect = request[2];
        key.step = request[3];
    }
    return key;
}

// The part a write request stores, with its values; none for a request that stores none.
std::vector<Part> WrittenParts(const RequestRow& row, const std::vector<int>& request) {
    // A setting may be written empty (an empty ID string); every other part carries values.
    const std::size_t shortest = static_cast<std::size_t>(row.keyBytes) + (row.held == HeldPart::Setting ? 0 : 1);
    if (row.kind != RequestKind::Write || request.size() < shortest)
        return {};
    return {{KeyOf(row, request), From(request, static_cast<std::size_t>(row.keyBytes))}};
}

bool Echoes(const LinkState& link, const std::vector<int>& request, int count) {
    for (int i = 0; i < count; ++i)
        if (static_cast<std::size_t>(i) >= request.size() || link.answerData(i) != request[static_cast<std::size_t>(i)])
            return false;
    return true;
}

// Whether the answer has the size the controller gives to this read.
bool AnswerSized(const RequestRow& row, const std::vector<int>& request, int size) {
    if (row.code == ReadSettingCode) {
        const std::optional<int> expected = SettingAnswerSize(request[1]);
        return expected ? size == *expected : request[1] == IdStringSetting && size >= 2;
    }
    if (row.code == ReadTypeBlockCode)
        return size >= 3;
    return size == row.answerSize;
}

// The parts an answer to a read request tells, when it is the answer of that request in the
// size the controller gives it; none otherwise.
std::vector<Part> AnsweredParts(const RequestRow& row, const std::vector<int>& request, const LinkState& link) {
    if (row.kind != RequestKind::Read || !row.held || !AnswerSized(row, request, link.answerSize()))
        return {};
    const HeldKey key = KeyOf(row, request);
    if (row.code == ReadTypeBlockCode) {
        // A type-block answer may echo the active block's code.
        const int code = link.answerData(0);
        if ((code != ReadTypeBlockCode && code != ReadActiveTypeCode) || link.answerData(1) != request[1])
            return {};
        return {{key, link.answerFrom(2)}};
    }
    if (!Echoes(link, request, row.echoBytes))
        return {};
    if (row.code == ReadInitialAndOnCode) {
        std::vector<Part> parts{{key, link.answerFrom(3)}};
        // A byte of another kind where the initial aspect belongs tells nothing of it.
        if (link.answerData(2) >> 4 == InitialAspectNibble)
            parts.push_back({HeldKey{HeldPart::InitialAspect, request[1]}, {link.answerData(2)}});
        return parts;
    }
    return {{key, link.answerFrom(row.keyBytes)}};
}

// Steps are addressed within the aspect layout: those held under another layout (or under one
// not known) say nothing once a layout is held anew.
void HoldPart(ControllerCopy& copy, Part& part, bool confirmed) {
    if (part.first.part == HeldPart::Layout) {
        const std::vector<int>* layout = copy.find(part.first);
        if (!layout || *layout != part.second)
            for (int aspect = 0; aspect < AspectCount; ++aspect)
                for (int step = 0; step < StepCount; ++step)
                    copy.forget({HeldPart::Step, part.first.index, aspect, step});
    }
    copy.hold(part.first, std::move(part.second), confirmed);
}

// The settings that tell which controller answers: the firmware version and the ID string.
bool IsIdentity(const HeldKey& key) {
    return key.part == HeldPart::Setting && (key.index == VersionSetting || key.index == IdStringSetting);
}

// Whether an answer tells otherwise than the copy knew: the controller was changed since, or
// another one answers behind the open port. A type block is compared as the read takes it; a
// write sent one-way by the user's choice may not have arrived, so only the identity counts
// then.
bool Contradicts(const ControllerCopy& copy, const Part& part) {
    const std::vector<int>* held = copy.find(part.first);
    if (!held || !(copy.confirmed(part.first) || IsIdentity(part.first)))
        return false;
    if (part.first.part == HeldPart::TypeBlock)
        return TypeBlockAsTaken(*held) != TypeBlockAsTaken(part.second);
    return *held != part.second;
}

bool IsErase(const std::vector<int>& request) {
    return request.size() >= 2 && request[0] == WriteSettingCode && request[1] == EraseSetting;
}

// The parts a write request stores, with the values as its frame carried them.
std::vector<Part> SentParts(const RequestRow& row, const std::vector<int>& request) {
    std::vector<Part> parts = WrittenParts(row, request);
    for (Part& part : parts)
        for (int& value : part.second)
            value &= 127;
    return parts;
}

// The read request that answers with the part.
std::vector<int> ReadOf(const HeldKey& key) {
    switch (key.part) {
    case HeldPart::Setting:
        return {ReadSettingCode, key.index};
    case HeldPart::TypeBlock:
        return {ReadTypeBlockCode, key.index};
    case HeldPart::Layout:
        return {ReadLayoutCode, key.index};
    case HeldPart::Step:
        return {ReadStepCode, key.index, key.aspect, key.step};
    case HeldPart::InitialAspect:
    case HeldPart::EventOn:
        return {ReadInitialAndOnCode, key.index};
    case HeldPart::EventOff:
        return {ReadEventOffCode, key.index};
    case HeldPart::AddressConfig:
        return {ReadAddressConfigCode, key.index};
    }
    return {};
}

} // namespace

std::optional<std::vector<int>> ReadBackRequest(const std::vector<int>& write) {
    const RequestRow* row = FindRequestRow(write);
    if (!row || IsErase(write))
        return std::nullopt;
    const std::vector<Part> parts = WrittenParts(*row, write);
    if (parts.empty())
        return std::nullopt;
    const HeldKey& key = parts.front().first;
    // A setting is told by its read only where the answer's size is known.
    if (key.part == HeldPart::Setting && !SettingAnswerSize(key.index) && key.index != IdStringSetting)
        return std::nullopt;
    return ReadOf(key);
}

bool AnswerHoldsWrite(const std::vector<int>& write, const std::vector<int>& readBack, const LinkState& link) {
    const RequestRow* written = FindRequestRow(write);
    const RequestRow* read = FindRequestRow(readBack);
    if (!written || !read || !link.answerValid)
        return false;
    const std::vector<Part> parts = SentParts(*written, write);
    if (parts.empty())
        return false;
    for (const Part& told : AnsweredParts(*read, readBack, link))
        if (told == parts.front())
            return true;
    return false;
}

void NoteExchange(Session& session, const std::vector<int>& request, bool answerAwaited, bool sent) {
    if (!sent)
        return; // nothing went out: the controller holds what it held
    ControllerCopy& copy = session.controllerCopy();
    const RequestRow* row = FindRequestRow(request);
    if (!row || IsErase(request)) {
        // An erase forgets everything; so does a request the table lacks, whose effect on the
        // controller nobody can tell.
        copy.forgetAll();
        return;
    }
    if (row->kind == RequestKind::Read) {
        if (!session.link.answerValid)
            return;
        std::vector<Part> parts = AnsweredParts(*row, request, session.link);
        if (std::any_of(parts.begin(), parts.end(), [&copy](const Part& part) { return Contradicts(copy, part); }))
            copy.forgetAll(); // nothing of what it knew can be trusted now
        for (Part& part : parts)
            HoldPart(copy, part, true);
        return;
    }
    // Awaited, the answer tells; one-way, a write counts as done when the user chose the link
    // so, and is not known when the link went one-way after a missed answer.
    const bool wentThrough = answerAwaited ? session.link.answerValid : !session.link.bidirectionalLost;
    for (Part& part : SentParts(*row, request)) {
        if (wentThrough)
            HoldPart(copy, part, answerAwaited);
        else
            copy.forget(part.first);
    }
}

} // namespace vexa
