#pragma once

#include "TestSeams.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vexa::test {

// A direct answer frame: the header, the control byte 96 + M (+ 16 with an eXtended Address
// byte), the eXtended Address byte when xAddress >= 0, the data values, the check byte.
std::vector<std::uint8_t> AnswerFrame(int header, const std::vector<int>& data, int xAddress = -1);

// A controller at the far end of a ScriptedPort: it decodes each complete request frame with
// a valid check byte, records its data values and, when the request asks for an answer
// (control bit 5), queues the answer that `reply` gives for them, framed with the request's
// header (no answer when reply gives nothing).
struct ScriptedController {
    using Reply = std::function<std::optional<std::vector<int>>(const std::vector<int>& request)>;

    ScriptedController(ScriptedPort& port, Reply replyToRequest);

    std::vector<std::vector<int>> requests; // data values of every request frame, in order
    std::vector<int> headers;               // header byte of every request frame
    int answerXAddress = -1;                // added to every answer when >= 0

private:
    void onByteWritten(ScriptedPort& port);

    Reply reply_;
    std::size_t frameStart_ = 0;
};

} // namespace vexa::test
