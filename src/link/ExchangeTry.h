#pragma once

#include "core/Session.h"

#include <vector>

namespace vexa {

// What one try of an exchange came to.
enum class TryOutcome {
    Sent,          // sent: the answer, when one was awaited, is valid or its fault has been told
    NotSent,       // nothing sent
    Interrupted,   // sent, but the port failed, the user stopped the wait or no answer came and
                   // the exchange fails: the controller may hold what it carried
    AnswerMissing, // sent, but no answer came or a malformed one; nothing told (another try follows)
};

// One try of SendVexaMessage. With `retryLeft`, an awaited answer that does not come or comes
// malformed is neither told nor does it switch "Bidirectional Comm." off: the caller tries
// again. A frame that cannot be this try's answer (the late answer to an earlier try) is
// dropped as a stray frame.
TryOutcome ExchangeOnce(Session& session, bool expectAnswer, const std::vector<int>& data, bool retryLeft);

} // namespace vexa
