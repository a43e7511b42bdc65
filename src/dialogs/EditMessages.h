#pragma once

namespace vexa {

// Shown when a paste comes before any copy.
inline constexpr const char* NothingToPasteMessage = "Nothing to Paste";

} // namespace vexa
