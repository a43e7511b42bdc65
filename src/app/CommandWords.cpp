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
CommandWord VerifyWord(std::string word, std::function<bool(Session&)> command) {
    return CommandWord{std::move(word), std::move(command), true, true};
}

} // namespace

const std::vector<CommandWord>& CommandWordTable() {
    static const std::vector<CommandWord> table{
        {"ReadAll", ReadAll, false},
        {"WriteAll", WriteAll, false},
        {"VerifyAll", VerifyAll, true, true},
        {"ReadPin", ReadCurrentPin, false},
        {"WritePin", WriteCurrentPin, false},
        {"ReadDevice", ReadCurrentDevice, false},
        {"WriteDevice", WriteCurrentDevice, false},
        {"ReadAllPins", ReadAllPins, false},
        {"WriteAllPins", WriteAllPins, false},
        {"PAspReadPin", ReadCurrentPinAspects, false},
        {"PAspWritePin", WriteCurrentPinAspects, false},
        VerifyWord("VerifyAllPins", RunVerifyAllPins),
        {"ECReadAll", ReadAllEvents, false},
        {"ECWriteAll", WriteAllEvents, false},
        VerifyWord("ECVerify", RunVerifyEventControl),
        {"WriteChanges", WriteChanges, false}, // only what differs from the controller
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
