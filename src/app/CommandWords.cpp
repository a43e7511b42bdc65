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

std::string CommandCaption(const std::string& word) {
    static const std::vector<std::pair<std::string, std::string>> captions{
        {"ReadAll", "Read All"},           {"WriteAll", "Write All"},           {"VerifyAll", "Verify All"},
        {"ReadPin", "Read Pin"},           {"WritePin", "Write Pin"},           {"ReadDevice", "Read Device"},
        {"WriteDevice", "Write Device"},   {"ReadAllPins", "Read All Devices"}, {"WriteAllPins", "Write All Devices"},
        {"PAspReadPin", "Read Asp's"},     {"PAspWritePin", "Write Asp's"},     {"VerifyAllPins", "Verify All Pins"},
        {"ECReadAll", "Read All Events"},  {"ECWriteAll", "Write All Events"},  {"ECVerify", "Verify Event Control"},
        {"WriteChanges", "Write Changes"},
    };
    for (const auto& [known, caption] : captions)
        if (known == word)
            return caption;
    return word;
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
