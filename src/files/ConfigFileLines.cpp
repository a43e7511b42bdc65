#include "files/ConfigFileLines.h"

#include "files/ConfigFileEncoding.h"
#include "files/ConfigFileFields.h"
#include "files/ConfigFileFormat.h"
#include "model/StepInstruction.h"

namespace vexa::configfile {

LineWriter& LineWriter::begin(const char* keyword, const char* indent) {
    out_ += indent;
    AppendTextField(out_, keyword);
    return *this;
}

LineWriter& LineWriter::number(int value) {
    out_ += ',';
    out_ += std::to_string(value);
    return *this;
}

LineWriter& LineWriter::numbers(std::initializer_list<int> values) {
    for (const int value : values)
        number(value);
    return *this;
}

LineWriter& LineWriter::text(const std::string& value) {
    out_ += ',';
    AppendTextField(out_, value);
    return *this;
}

void LineWriter::end() {
    out_ += LineEnd;
}

void WriteConfigLine(LineWriter& line, PinRecord& pin, const char* indent) {
    if (pin.configType == ServoType)
        pin.param(2) &= StoredServoOptionBits;
    line.begin(KeyConfig, indent).number(pin.configType);
    for (int n = 1; n <= ConfigParamsInFile(pin.configType); ++n)
        line.number(pin.param(n));
    line.end();
}

void WriteAddressCountLine(LineWriter& line, const PinRecord& pin, const char* indent) {
    line.begin(KeyAddressCounts, indent)
        .numbers({pin.xdccAddressCount, pin.dccAddressCount, pin.lumoAddressCount})
        .end();
}

void WriteAspectLine(LineWriter& line, int aspect, const AspectRecord& record, const char* indent) {
    line.begin(KeyAspect, indent).number(aspect).text(record.description).end();
}

void WriteStepLine(LineWriter& line, int step, const AspectStep& record, const char* indent) {
    line.begin(KeyStep, indent)
        .numbers({step, InstructionWithFade(record), record.offset, record.par1, record.par2, record.par3})
        .end();
}

bool ReadConfigParams(FieldCursor& cursor, PinRecord& pin, int first, int last) {
    for (int n = first; n <= last; ++n)
        if (!cursor.readByte("configuration parameter", pin.param(n)))
            return false;
    return true;
}

bool ReadAddressCountFields(FieldCursor& cursor, PinRecord& pin, bool withExtended) {
    if (withExtended && !cursor.readByte("extended DCC address count", pin.xdccAddressCount))
        return false;
    return cursor.readByte("DCC address count", pin.dccAddressCount) &&
           cursor.readByte("Lumo address count", pin.lumoAddressCount);
}

bool ReadAspectFields(FieldCursor& cursor, PinRecord& pin, int& aspect) {
    return cursor.readIndex("aspect", AspectCount, aspect) &&
           cursor.readText(pin.aspects[static_cast<std::size_t>(aspect)].description);
}

bool ReadStepFields(FieldCursor& cursor, PinRecord& pin, int aspect) {
    int stepNumber = 0;
    std::uint8_t instruction = 0;
    if (!cursor.readIndex("step", StepCount, stepNumber) || !cursor.readByte("instruction", instruction))
        return false;
    AspectStep& step = pin.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(stepNumber)];
    if (!cursor.readByte("step offset", step.offset) || !cursor.readByte("step parameter 1", step.par1) ||
        !cursor.readByte("step parameter 2", step.par2) || !cursor.readByte("step parameter 3", step.par3))
        return false;
    SplitInstruction(instruction, step);
    return true;
}

} // namespace vexa::configfile
