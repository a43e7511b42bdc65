#pragma once

#include <QString>

#include <string>

namespace vexa {

// A text of the core (UTF-8, as the command line and the reports hold it) for a widget.
inline QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vexa
