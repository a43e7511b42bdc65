#include "live/LiveRequests.h"

#include "link/Exchange.h"

namespace vexa {

bool SendLiveRequest(Session& session, LiveOperation operation, int target, int value, bool dynamic) {
    const int code = static_cast<int>(operation) + (dynamic ? LiveDynamicFlag : 0);
    return SendVexaMessage(session, false, {0, code, target, value});
}

bool SendPwmLevel(Session& session, int pin, int level, bool slow) {
    return SendLiveRequest(session, LiveOperation::PwmLevel, pin, level, slow);
}

bool SendServoPosition(Session& session, int pin, int position, bool dynamic) {
    return SendLiveRequest(session, LiveOperation::ServoPosition, pin, position + ServoPositionOffset, dynamic);
}

} // namespace vexa
