#pragma once

#include "core/Session.h"
#include "model/ConfigurationImage.h"

namespace vexa {

// The aspect clipboard: a copy of one aspect record.
struct AspectClipboard {
    AspectRecord record;
    bool filled = false;
};

// Empties the current aspect: no description, every step six zero bytes.
void ClearCurrentAspect(ConfigurationImage& image);

// Empties the description and removes everything after the first empty step; the empty
// step itself keeps no parameters.
void CleanUpCurrentAspect(ConfigurationImage& image);

void CopyCurrentAspect(const ConfigurationImage& image, AspectClipboard& clipboard);

// Replaces the current aspect by the clipboard's record. Shows "Nothing to Paste" and
// returns false when the clipboard is empty.
bool PasteCurrentAspect(Session& session, const AspectClipboard& clipboard);

} // namespace vexa
