#include "live/TestTabCommands.h"

#include "core/NumberField.h"
#include "link/Exchange.h"
#include "live/LiveRequests.h"

namespace vexa {

namespace {

constexpr int EightfoldCount = 8;
const std::array<const char*, 3> LumoFieldCaptions{"Command", "Output", "Parameter"};

} // namespace

bool ByteFieldValue(Session& session, const std::string& caption, const std::string& text, int& value) {
    value = RoundHalfEven(ParseLeadingNumber(text));
    if (value >= 0 && value <= DataByteMaximum)
        return true;
    session.prompter.ask(MessageKind::OkError, caption + ": enter a number from 0 to 127");
    return false;
}

bool SendAspectToOutput(Session& session, const std::string& outputText, int aspect) {
    int output = 0;
    return ByteFieldValue(session, "Output", outputText, output) &&
           SendLiveRequest(session, LiveOperation::SerialAspect, output, aspect);
}

bool AspectToggle::press(Session& session, const std::string& outputText) {
    int output = 0;
    if (!ByteFieldValue(session, "Output", outputText, output))
        return false;
    const bool sent = SendLiveRequest(session, LiveOperation::SerialAspect, output, state_);
    state_ = 1 - state_;
    return sent;
}

bool SendAspectToEightOutputs(Session& session, int aspect) {
    for (int output = 0; output < EightfoldCount; ++output)
        if (!SendLiveRequest(session, LiveOperation::SerialAspect, output, aspect))
            return false;
    return true;
}

bool SendFreeLumoCommand(Session& session, const std::array<std::string, 3>& texts) {
    std::array<int, 3> values{};
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!ByteFieldValue(session, LumoFieldCaptions[i], texts[i], values[i]))
            return false;
    SendLumoMessage(session, LumoHeader(session.link.moduleAddress), values[0], values[1], values[2]);
    return session.port.isOpen();
}

} // namespace vexa
