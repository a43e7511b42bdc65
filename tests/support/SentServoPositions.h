#pragma once

#include "live/LiveRequests.h"
#include "sim/Simulator.h"

#include <vector>

namespace vexa::test {

// The servo positions the simulated controller received, in the order they came.
inline std::vector<int> SentServoPositions(const Simulator& simulator) {
    std::vector<int> sent;
    for (const SimReceivedRequest& request : simulator.requests())
        if (request.data.size() == 4 && request.data[1] == static_cast<int>(LiveOperation::ServoPosition))
            sent.push_back(request.data[3] - ServoPositionOffset);
    return sent;
}

} // namespace vexa::test
