#pragma once

#include "core/Session.h"

#include <array>
#include <string>

namespace vexa {

// The value of a byte field of the "Test" tab: its leading decimal number, rounded (no number
// counts as 0). A value outside 0..127 cannot travel in a data byte: false, with an error
// message that names the field.
bool ByteFieldValue(Session& session, const std::string& caption, const std::string& text, int& value);

// "Vexa SA0".."Vexa SA3": Vexa set aspect of the serial address in the "Output" field.
bool SendAspectToOutput(Session& session, const std::string& outputText, int aspect);

// "Vexa Toggle": sends aspect 0, 1, 0, ... to the serial address in the "Output" field.
class AspectToggle {
public:
    bool press(Session& session, const std::string& outputText);
    int nextAspect() const { return state_; }

private:
    int state_ = 0;
};

// "Vexa 8xSA0" / "Vexa 8xSA1": the aspect on serial addresses 0..7, in that order.
bool SendAspectToEightOutputs(Session& session, int aspect);

// "LumoSend": a Lumo frame to the module with the three fields "Command", "Output", "Parameter".
bool SendFreeLumoCommand(Session& session, const std::array<std::string, 3>& texts);

} // namespace vexa
