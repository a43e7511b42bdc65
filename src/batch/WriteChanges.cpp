#include "batch/WriteChanges.h"

#include "batch/BatchOperations.h"
#include "core/WriteChecks.h"
#include "events/EventComparison.h"
#include "link/Exchange.h"
#include "module/DccAddressing.h"
#include "module/SerialAddressing.h"
#include "module/SettingRequests.h"
#include "pins/PinComparison.h"
#include "pins/PinTransfer.h"
#include "pins/PinWireCheck.h"

#include <algorithm>
#include <functional>

namespace vexa {

namespace {

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void AddPinStages(BatchDefinition& batch, const std::vector<int>& pins, int numberingBase) {
    for (int pin : pins)
        batch.stages.push_back({"pin " + std::to_string(pin + numberingBase),
                                [pin](Session& session) { return WriteWholePin(session, pin); }});
}

void AddEventStages(BatchDefinition& batch, const std::vector<int>& pins, const EventDirection& direction,
                    int numberingBase) {
    for (int pin : pins)
        batch.stages.push_back(
            {std::string(direction.name) + " of pin " + std::to_string(pin + numberingBase),
             [pin, &direction](Session& session) { return WritePinEventDirection(session, pin, direction); }});
}

void AddBlockStage(BatchDefinition& batch, SettingBlock block) {
    batch.stages.push_back({SettingBlockOf(block).name, SettingBlockOf(block).write});
}

// "" when every item to write can be sent as it stands, else the first value the wire cannot
// carry: nothing is sent then, so the controller is never left half-written.
std::string FirstUnsendable(const Session& session, const ChangedItems& items) {
    const ModuleSettings& module = session.image.module;
    const int base = session.numberingBase;
    std::vector<std::string> problems;
    for (SettingBlock block : items.blocks)
        if (block == SettingBlock::Dcc)
            problems.push_back(DccSettingsProblem(module));
        else if (block == SettingBlock::SerialAddressing)
            problems.push_back(SerialAddressingProblem(module, base));
    for (int pin : items.pins)
        problems.push_back(WholePinProblem(session.image.pins[static_cast<std::size_t>(pin)], pin, base));
    for (const std::vector<int>* pins : {&items.eventOnPins, &items.eventOffPins})
        for (int pin : *pins)
            problems.push_back(PinEventsProblem(session.image, pin, base));
    for (const std::string& problem : problems)
        if (!problem.empty())
            return problem;
    return {};
}

// The stages of "Write Changes", in the order of "Write All": ID string, DCC, LED, hardware,
// serial port, pins, event actions (On, then Off), enable map, serial addressing last.
BatchDefinition WriteChangesBatch(const ChangedItems& items, int numberingBase) {
    BatchDefinition batch{"Write Changes", {}, {}};
    batch.stages.push_back({"values to send", [items](Session& session) {
                                return !RefusedUnsendable(session, FirstUnsendable(session, items));
                            }});
    // The blocks are listed in write order; serial addressing comes after everything else.
    const auto serialAddressing = std::find(items.blocks.begin(), items.blocks.end(), SettingBlock::SerialAddressing);
    for (auto block = items.blocks.begin(); block != serialAddressing; ++block)
        AddBlockStage(batch, *block);
    AddPinStages(batch, items.pins, numberingBase);
    AddEventStages(batch, items.eventOnPins, EventOnDirection(), numberingBase);
    AddEventStages(batch, items.eventOffPins, EventOffDirection(), numberingBase);
    if (items.enableMap)
        batch.stages.push_back({"initial enable maps", WriteEnableMap});
    if (serialAddressing != items.blocks.end())
        AddBlockStage(batch, SettingBlock::SerialAddressing);
    return batch;
}

ChangedItems ItemsWhere(const Session& session, const std::function<bool(HeldState)>& chosen) {
    ChangedItems items;
    for (SettingBlock block : SettingBlocksInWriteOrder)
        if (chosen(SettingBlockState(session, block)))
            items.blocks.push_back(block);
    for (int pin = 0; pin < PinCount; ++pin) {
        if (chosen(PinState(session, pin)))
            items.pins.push_back(pin);
        if (chosen(EventSlotState(session, pin, EventOnDirection())))
            items.eventOnPins.push_back(pin);
        if (chosen(EventSlotState(session, pin, EventOffDirection())))
            items.eventOffPins.push_back(pin);
    }
    items.enableMap = chosen(EnableMapState(session));
    return items;
}

} // namespace

ChangedItems ItemsInState(const Session& session, HeldState state) {
    return ItemsWhere(session, [state](HeldState item) { return item == state; });
}

ChangedItems ItemsToWrite(const Session& session) {
    return ItemsWhere(session, [](HeldState item) { return item != HeldState::Same; });
}

std::string CountsText(const ChangedItems& items) {
    std::vector<std::string> parts;
    if (!items.pins.empty())
        parts.push_back(Counted(static_cast<int>(items.pins.size()), "pin", "pins"));
    if (!items.blocks.empty())
        parts.push_back(Counted(static_cast<int>(items.blocks.size()), "setting block", "setting blocks"));
    if (items.eventSlots() > 0)
        parts.push_back(Counted(items.eventSlots(), "event slot", "event slots"));
    if (items.enableMap)
        parts.push_back("the enable map");
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string ChangesStatusText(const Session& session) {
    if (session.controllerCopy().empty())
        return "Nothing known of the controller yet: read it, or Write All";
    const std::string changed = CountsText(ItemsInState(session, HeldState::Changed));
    const std::string unknown = CountsText(ItemsInState(session, HeldState::Unknown));
    if (changed.empty())
        return unknown.empty() ? "Nothing changed since the last read" : "Not known of the controller: " + unknown;
    return changed + " changed since the last read" +
           (unknown.empty() ? "" : "; not known of the controller: " + unknown);
}

bool ConfirmControllerIdentity(Session& session) {
    LinkState& link = session.link;
    if (!link.bidirectional && !link.bidirectionalLost) {
        session.prompter.ask(MessageKind::OkInformation, IdentityNotCheckedText);
        return true;
    }
    // Without the ID string nothing tells that the controller is still the one the copy was kept
    // for (another may have been put behind the open port since): nothing of the copy is known.
    ControllerCopy& copy = session.controllerCopy();
    if (!copy.find({HeldPart::Setting, SettingNumber(ModuleSetting::IdString)}))
        copy.forgetAll();
    link.bidirectional = true;
    if (!SendVexaMessage(session, true, {ReadSettingCode, SettingNumber(ModuleSetting::IdString)}))
        return false; // the port failed (and said so)
    if (link.answerValid)
        RequestSetting(session, ModuleSetting::Version);
    return true;
}

bool WriteChanges(Session& session) {
    ChangedItems items;
    return WriteChangesGiving(session, items);
}

bool WriteChangesGiving(Session& session, ChangedItems& items) {
    if (!ConfirmControllerIdentity(session) || session.progress->stopRequested())
        return false;
    items = ItemsToWrite(session);
    if (items.empty()) {
        session.prompter.ask(MessageKind::OkInformation, NothingToWriteText);
        return true;
    }
    return RunBatch(session, WriteChangesBatch(items, session.numberingBase));
}

} // namespace vexa
