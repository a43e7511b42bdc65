#include "link/AnswerMatch.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr int ReadActiveType = 81;
constexpr int ReadSetting = 112;
constexpr int ReadAddressConfig = 118;
constexpr int ReadStep = 115;
constexpr int StepEchoLength = 4;
constexpr int EchoLength = 2;

// How many leading bytes of the request its answer echoes; 0 when it echoes none.
int EchoedLength(const std::vector<int>& request) {
    if (request.size() < static_cast<std::size_t>(EchoLength))
        return 0;
    const int code = request[0];
    if (code == ReadStep)
        return std::min(StepEchoLength, static_cast<int>(request.size()));
    return code == ReadActiveType || (code >= ReadSetting && code <= ReadAddressConfig) ? EchoLength : 0;
}

} // namespace

bool AnswerFitsRequest(const std::vector<int>& request, const std::uint8_t* answerData, int size) {
    const int echoed = EchoedLength(request);
    if (echoed == 0)
        return true;
    if (size < EchoLength)
        return false;
    const int compared = std::min(echoed, size);
    for (int i = 0; i < compared; ++i)
        if (answerData[i] != (request[static_cast<std::size_t>(i)] & 127))
            return false;
    return true;
}

bool IsReadRequest(const std::vector<int>& request) {
    return EchoedLength(request) > 0;
}

} // namespace vexa
