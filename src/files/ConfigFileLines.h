#pragma once

#include "files/FieldCursor.h"
#include "model/ConfigurationImage.h"

#include <initializer_list>
#include <string>

// Writing and reading the lines that the data file and the device library share.
namespace vexa::configfile {

// Builds one line at a time: indentation, the keyword, then comma-separated fields.
class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    LineWriter& begin(const char* keyword, const char* indent = "");
    LineWriter& number(int value);
    LineWriter& numbers(std::initializer_list<int> values);
    LineWriter& text(const std::string& value);
    void end();

private:
    std::string& out_;
};

// "Cfg": the type and the parameters the type carries. Parameter 2 of a servo is masked to its
// stored bits, in the image too.
void WriteConfigLine(LineWriter& line, PinRecord& pin, const char* indent);
// "PAM": the extended DCC, basic DCC and Lumo address counts.
void WriteAddressCountLine(LineWriter& line, const PinRecord& pin, const char* indent);
// "Asp": the aspect number and its description.
void WriteAspectLine(LineWriter& line, int aspect, const AspectRecord& record, const char* indent);
// "Ins": the step number, the instruction with its fade flag folded in, and the four bytes.
void WriteStepLine(LineWriter& line, int step, const AspectStep& record, const char* indent);

// Reading the fields after those keywords into a pin; false with the cursor's problem set.
// Parameters first..last of the configuration type.
bool ReadConfigParams(FieldCursor& cursor, PinRecord& pin, int first, int last);
// The address counts; the extended DCC count comes first when the file holds it.
bool ReadAddressCountFields(FieldCursor& cursor, PinRecord& pin, bool withExtended);
// The aspect number (which becomes the current aspect) and its description.
bool ReadAspectFields(FieldCursor& cursor, PinRecord& pin, int& aspect);
// A step of the current aspect, its fade flag taken out of the instruction.
bool ReadStepFields(FieldCursor& cursor, PinRecord& pin, int aspect);

} // namespace vexa::configfile
