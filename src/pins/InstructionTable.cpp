#include "pins/InstructionTable.h"

namespace vexa {

namespace {

const std::string PinOffsetCaption = "P.O.";
const std::string TimeCaption = "Time";
const std::string BaseCaption = "Base";
const std::string TickCaption = "T(/60)";
const std::string PatternCaption = "Patt.";
constexpr int ServoDisplayOffset = -64;

// Sets the four captions and the stored range of parameter 1 of an entry.
InstructionEntry& Define(std::array<InstructionEntry, InstructionCodes>& table, int code, std::string name, int section,
                         bool fade, std::array<std::string, 4> captions, int par1Min = 0, int par1Max = 0) {
    InstructionEntry& entry = table.at(static_cast<std::size_t>(code));
    entry.name = std::move(name);
    entry.section = section;
    entry.fadeAllowed = fade;
    entry.captions = std::move(captions);
    entry.par1Minimum = par1Min;
    entry.par1Maximum = par1Max;
    if (entry.captions[2] == TimeCaption)
        entry.helpSelector = HelpTime;
    return entry;
}

// A pattern instruction for a number of outputs: its parameter 1 opens the pattern calculator.
void DefinePattern(std::array<InstructionEntry, InstructionCodes>& table, int code, std::string name, int outputs) {
    Define(table, code, std::move(name), 0, true, {PinOffsetCaption, PatternCaption, "", ""}, 0, 127).helpSelector =
        outputs;
}

std::array<InstructionEntry, InstructionCodes> BuildTable() {
    std::array<InstructionEntry, InstructionCodes> table{};
    for (int code = 0; code < InstructionCodes; ++code)
        table[static_cast<std::size_t>(code)].code = code;

    Define(table, 0, "-", 0, false, {"", "", "", ""});
    Define(table, 1, "Jump", 3, false, {PinOffsetCaption, "Asp#", "Ins#", ""}, 0, 11).par2Maximum = 8;
    Define(table, 3, "NS G->Y->R", 4, true, {PinOffsetCaption, "Type", "", ""}, 0, 1);
    Define(table, 4, "SendSerial 1", 5, false, {"", "Byte", "", ""}, 0, 255).par2Maximum = 255;
    Define(table, 5, "SendSerial 2", 5, false, {"", "Byte1", "Byte2", ""}, 0, 255).par2Maximum = 255;
    Define(table, 6, "Blink alt", 0, true, {PinOffsetCaption, TickCaption, "", ""}, 0, 127);
    Define(table, 7, "Clone", 4, true, {PinOffsetCaption, "Source", "", ""}, 0, 31).par1IsPin = true;
    Define(table, 8, "Off", 0, true, {PinOffsetCaption, TickCaption, "", ""}, 0, 127);
    Define(table, 9, "On", 0, true, {PinOffsetCaption, TickCaption, "", ""}, 0, 127);
    Define(table, 10, "Invert", 0, true, {PinOffsetCaption, TickCaption, "", ""}, 0, 127);
    Define(table, 11, "Random", 0, true, {PinOffsetCaption, TickCaption, "", ""}, 0, 127);
    for (int outputs = 2; outputs <= 5; ++outputs)
        DefinePattern(table, 10 + outputs, "Multibit " + std::to_string(outputs), outputs);
    Define(table, 16, "Event Input", 3, false, {"", "ETImap", "", ""}, 0, 127).helpSelector = HelpEventPattern;
    Define(table, 17, "Feedback", 5, false, {PinOffsetCaption, "Aspect", "", ""}, 0, 11);
    InstructionEntry& pulse = Define(table, 18, "MXpulse", 5, false, {"MXpin", TickCaption, "Level", ""}, 0, 127);
    pulse.par2Maximum = 31;
    pulse.offsetKind = OffsetKind::PinNumber;
    DefinePattern(table, 32, "Multibit 6", 6);
    DefinePattern(table, 33, "Multibit 7", 7);
    DefinePattern(table, 34, "Multibit 6 AD", 6);
    DefinePattern(table, 35, "Multibit 7 AD", 7);
    DefinePattern(table, 36, "Multibit 6 ND", 6);
    DefinePattern(table, 37, "Multibit 7 ND", 7);
    Define(table, 38, "Set Level", 1, true, {PinOffsetCaption, "Level", "", ""}, 0, 31);
    Define(table, 39, "Set Servo", 2, true, {PinOffsetCaption, "Pos.", "", ""}, 0, 127).par1DisplayOffset =
        ServoDisplayOffset;
    for (int outputs = 2; outputs <= 7; ++outputs)
        Define(table, 40 + outputs, "Multiblink " + std::to_string(outputs), 0, true,
               {PinOffsetCaption, TickCaption, "", ""}, 0, 127);

    const std::array<std::string, 4> levelNames{"SetLevel & Wait", "SetLevel & WtRnd", "SetRnd & Wait",
                                                "SetRnd & WtRnd"};
    for (int i = 0; i < 4; ++i)
        Define(table, 96 + i, levelNames[static_cast<std::size_t>(i)], 1, false,
               {"Accel", i < 2 ? "Level" : "Chance", TimeCaption, BaseCaption}, 0, 31)
            .offsetKind = OffsetKind::Acceleration;
    Define(table, 100, "SetServo & Wait", 2, false, {"", "Pos", TimeCaption, BaseCaption}, 0, 127).par1DisplayOffset =
        ServoDisplayOffset;
    Define(table, 101, "SetServo & WtRnd", 2, false, {"", "Pos", TimeCaption, BaseCaption}, 0, 127).par1DisplayOffset =
        ServoDisplayOffset;
    Define(table, 102, "Wait", 3, false, {"", "", TimeCaption, BaseCaption});
    Define(table, 103, "Wait Random", 3, false, {"", "", TimeCaption, BaseCaption});
    const std::array<std::string, 4> comparisons{"If Equal", "If Less", "If Not Equal", "If Not Less"};
    for (int i = 0; i < 4; ++i)
        Define(table, 104 + i, comparisons[static_cast<std::size_t>(i)], 5, false, {PinOffsetCaption, "Value", "", ""},
               -64, 63)
            .par1Signed = true;
    for (int aspect = 0; aspect < 12; ++aspect)
        Define(table, 112 + aspect, "SetAspect " + std::to_string(aspect), 3, false,
               {PinOffsetCaption, "", TimeCaption, BaseCaption});
    Define(table, 127, "Suspend Servo", 2, false, {PinOffsetCaption, "", TimeCaption, BaseCaption});
    return table;
}

const std::array<InstructionEntry, InstructionCodes>& Table() {
    static const std::array<InstructionEntry, InstructionCodes> table = BuildTable();
    return table;
}

std::vector<int> BuildListCodes() {
    std::vector<int> codes;
    for (int section = 0; section <= 5; ++section)
        for (const InstructionEntry& entry : Table())
            if (entry.named() && entry.section == section)
                codes.push_back(entry.code);
    return codes;
}

} // namespace

const InstructionEntry& InstructionOf(int code) {
    static const InstructionEntry unnamed{};
    if (code < 0 || code >= InstructionCodes)
        return unnamed;
    return Table()[static_cast<std::size_t>(code)];
}

const std::vector<int>& InstructionListCodes() {
    static const std::vector<int> codes = BuildListCodes();
    return codes;
}

} // namespace vexa
