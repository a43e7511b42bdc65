#include "link/AnswerMatch.h"

#include "link/RequestTable.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr int ShortestEcho = 2; // an answer shorter than this cannot carry an echo

// How many leading bytes of the request its answer echoes; 0 when it echoes none.
int EchoedLength(const std::vector<int>& request) {
    if (request.size() < static_cast<std::size_t>(ShortestEcho))
        return 0;
    const RequestRow* row = FindRequestRow(request);
    // A read of a length the table lacks is still held to the echo of its code and selector.
    const int echo = row ? row->echoBytes
                         : (request[0] >= ReadSettingCode && request[0] <= ReadAddressConfigCode ? ShortestEcho : 0);
    return std::min(echo, static_cast<int>(request.size()));
}

} // namespace

bool AnswerFitsRequest(const std::vector<int>& request, const std::uint8_t* answerData, int size) {
    const int echoed = EchoedLength(request);
    if (echoed == 0)
        return true;
    if (size < ShortestEcho)
        return false;
    const int compared = std::min(echoed, size);
    for (int i = 0; i < compared; ++i)
        if (answerData[i] != (request[static_cast<std::size_t>(i)] & 127))
            return false;
    return true;
}

bool IsReadRequest(const std::vector<int>& request) {
    const RequestRow* row = FindRequestRow(request);
    return row && row->kind == RequestKind::Read;
}

} // namespace vexa
