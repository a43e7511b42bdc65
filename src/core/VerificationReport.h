#pragma once

#include "core/Session.h"

#include <functional>
#include <string>

namespace vexa {

inline constexpr const char* VerifyOkText = "Verify OK";
inline constexpr const char* VerificationStoppedText = "Verification Stopped";

// Appends one line (the text and CR LF) to the verification report.
void LogVerificationLine(Session& session, const std::string& text);

// How the verdict of a verify command ends: bare, or as a line of its own.
enum class VerdictLineEnd { None, CrLf };

// The frame of a single verify command: empties the report, runs the verification and
// appends "Verify OK" when it passed (nothing when it failed). Returns the verification's result.
bool RunVerifyCommand(Session& session, const std::function<bool(Session&)>& verification, VerdictLineEnd lineEnd);

} // namespace vexa
