#pragma once

#include "core/Session.h"

#include <functional>
#include <string>

namespace vexa {

inline constexpr const char* VerifyOkText = "Verify OK";
inline constexpr const char* VerificationStoppedText = "Verification Stopped";
// The lines that open each part of a report; they frame its findings.
inline constexpr const char* SettingsVerificationStartText = "Start General Settings Verification";
inline constexpr const char* EventVerificationStartText = "Start EC Verification";
inline constexpr const char* PinVerificationStartText = "Start Pin Verification";
inline constexpr const char* NumberingNoteText = "Note: Numbering starts at 1";

// Appends one line (the text and CR LF) to the verification report.
void LogVerificationLine(Session& session, const std::string& text);

// Logs the one line that says how many retries the link needed since it counted `retriesBefore`;
// nothing when it needed none.
void LogRetriesSince(Session& session, int retriesBefore);

// How the verdict of a verify command ends: bare, or as a line of its own.
enum class VerdictLineEnd { None, CrLf };

// The frame of a single verify command: empties the report, runs the verification, logs the
// retries it needed and appends "Verify OK" when it passed (nothing when it failed). Returns the verification's result.
bool RunVerifyCommand(Session& session, const std::function<bool(Session&)>& verification, VerdictLineEnd lineEnd);

} // namespace vexa
