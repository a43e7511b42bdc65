#pragma once

#include "core/Session.h"

namespace vexa {

// Reads every module setting back from the controller and compares it with the image, one
// report line per finding. Changes nothing but "Bidirectional Comm." (left on). True when
// nothing was found that fails it; a differing eXtended address or group mask is reported
// without failing it.
bool VerifyGeneralSettings(Session& session);

// The general settings verification inside the verify command frame (the report is emptied
// first and ends with "Verify OK", without a line end, when it passed).
bool RunVerifyGeneralSettings(Session& session);

} // namespace vexa
