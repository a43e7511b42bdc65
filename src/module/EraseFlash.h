#pragma once

#include "core/Session.h"

#include <array>
#include <functional>

namespace vexa {

// The eight bytes after 96, 0 that confirm the erase to the controller.
inline constexpr std::array<int, 8> EraseConfirmationBytes{33, 91, 12, 5, 60, 17, 88, 2};

inline constexpr const char* EraseFirstQuestion = "WARNING !!\r\n"
                                                  "This operation will erase the Vexa Configuration Memory\r\n"
                                                  "Continue?";
inline constexpr const char* EraseSecondQuestion = "WARNING !!\r\n"
                                                   "This operation will erase the Vexa Configuration Memory\r\n"
                                                   "The green LED on the Vexa will be ON during this process\r\n"
                                                   "The erase process may take up to 45 seconds, please be patient\r\n"
                                                   "\r\n"
                                                   "Do you want to cancel this operation?";

// Sends the erase request one way ("Bidirectional Comm." off for it, restored after). The
// controller then needs up to 45 s, during which it may not answer.
bool SendEraseRequest(Session& session);

// "Erase Flash": asks both questions and erases only after OK to the first and Cancel to the
// second (the second asks whether to cancel). False when nothing was sent.
bool EraseFlash(Session& session);

// After an erase: asks for the firmware version once a second until the controller answers
// (true) or `limitSeconds` have passed (false). `waiting` is told the seconds waited before
// each attempt. Messages of unanswered attempts go to the session's prompter as usual.
bool AwaitControllerAfterErase(Session& session, int limitSeconds, const std::function<void(int)>& waiting);

} // namespace vexa
