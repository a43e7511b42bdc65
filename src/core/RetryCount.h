#pragma once

#include <string>

namespace vexa {

// "1 retry", "3 retries".
inline std::string RetriesText(int retries) {
    return std::to_string(retries) + (retries == 1 ? " retry" : " retries");
}

// " (3 retries)" after a report's line when the link had to ask again; empty for none.
inline std::string RetriesSuffix(int retries) {
    return retries > 0 ? " (" + RetriesText(retries) + ")" : std::string();
}

// The one line a verification report gets when the link had to ask again; empty for none.
inline std::string VerificationRetriesLine(int retries) {
    return retries > 0 ? "Verification needed " + RetriesText(retries) : std::string();
}

} // namespace vexa
