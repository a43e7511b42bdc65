#pragma once

#include "core/Session.h"

#include <optional>
#include <vector>

namespace vexa {

// Keeps the session's copy of what the controller holds up to date with one exchange of
// SendVexaMessage: a write stores its values once it went through (answered while an answer is
// awaited, sent one-way by the user's choice otherwise) and forgets them when it is left in doubt
// (sent but unanswered, or sent one-way since the link switched "Bidirectional Comm." off); an
// answer to a read stores the values it carries (the firmware version too, as the controller's
// identity), and forgets everything first when it contradicts what the controller was known to
// hold; an erase, and a request the request table lacks, forget everything. Requests that change no configuration (live
// commands, the active type block) leave it as it is. `answerAwaited` says whether the exchange waited for an answer,
// `sent` whether the request went out.
void NoteExchange(Session& session, const std::vector<int>& request, bool answerAwaited, bool sent);

// The read whose answer tells whether the controller holds what the write request stores;
// nullopt for a request no read tells of (an erase, a live or module command).
std::optional<std::vector<int>> ReadBackRequest(const std::vector<int>& write);

// Whether the valid answer in the link state, to `readBack`, shows the controller holding what
// `write` stores.
bool AnswerHoldsWrite(const std::vector<int>& write, const std::vector<int>& readBack, const LinkState& link);

} // namespace vexa
