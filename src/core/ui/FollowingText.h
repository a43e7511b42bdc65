#pragma once

#include <string>

class QPlainTextEdit;

namespace vexa {

// Shows a growing text whose lines are joined with CR LF (UTF-8, as every message), scrolled to its
// end. `shown` holds what the box shows: only new text is added, and nothing is done when
// the text is unchanged.
void ShowFollowingText(QPlainTextEdit* box, const std::string& text, std::string& shown);

} // namespace vexa
