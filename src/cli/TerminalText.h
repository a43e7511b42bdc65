#pragma once

#include "core/Session.h"

#include <optional>
#include <string>
#include <string_view>

namespace vexa::cli {

// The command line takes and prints text in the terminal's encoding, UTF-8; the image and the
// files hold Latin-1 bytes. These convert at that boundary.

// An argument of `command` as the image holds it, or nothing (with a message naming the command)
// when it is no UTF-8 text or holds a character that Latin-1 cannot.
std::optional<std::string> ImageTextOfArgument(Session& session, const std::string& argument,
                                               const std::string& command);

// A text of the image (or a report that holds one) as the terminal shows it.
std::string TerminalText(std::string_view imageText);

} // namespace vexa::cli
