#include "app/CommandWords.h"

#include "batch/BatchOperations.h"
#include "batch/WriteChanges.h"
#include "events/EventTransfer.h"
#include "events/EventVerification.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"

namespace vexa {

namespace {

// A port-checked verify command; the verification report opens when it ends. The operation
// is the whole command, its report frame included.
CommandWord VerifyWord(std::string word, std::function<bool(Session&)> command, std::string caption) {
    return CommandWord{std::move(word), std::move(command), true, true, std::move(caption)};
}

} // namespace

const std::vector<CommandWord>& CommandWordTable() {
    static const std::vector<CommandWord> table{
        {"ReadAll", ReadAll, false, false, "Read All"},
        {"WriteAll", WriteAll, false, false, "Write All"},
        {"VerifyAll", VerifyAll, true, true, "Verify All"},
        {"ReadPin", ReadCurrentPin, false, false, "Read Pin"},
        {"WritePin", WriteCurrentPin, false, false, "Write Pin"},
        {"ReadDevice", ReadCurrentDevice, false, false, "Read Device"},
        {"WriteDevice", WriteCurrentDevice, false, false, "Write Device"},
        {"ReadAllPins", ReadAllPins, false, false, "Read All Devices"},
        {"WriteAllPins", WriteAllPins, false, false, "Write All Devices"},
        {"PAspReadPin", ReadCurrentPinAspects, false, false, "Read Asp's"},
        {"PAspWritePin", WriteCurrentPinAspects, false, false, "Write Asp's"},
        VerifyWord("VerifyAllPins", RunVerifyAllPins, "Verify All Pins"),
        {"ECReadAll", ReadAllEvents, false, false, "Read All Events"},
        {"ECWriteAll", WriteAllEvents, false, false, "Write All Events"},
        VerifyWord("ECVerify", RunVerifyEventControl, "Verify Event Control"),
        {"WriteChanges", WriteChanges, false, false, "Write Changes"}, // only what differs from the controller
    };
    return table;
}

const CommandWord* FindCommandWord(const std::vector<CommandWord>& table, const std::string& word) {
    for (const CommandWord& entry : table)
        if (entry.word == word)
            return &entry;
    return nullptr;
}

const CommandWord* FindCommandWord(const std::string& word) {
    return FindCommandWord(CommandWordTable(), word);
}

} // namespace vexa
