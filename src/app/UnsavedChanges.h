#pragma once

#include "model/ConfigurationImage.h"

#include <map>
#include <string>

namespace vexa {

// Knows whether the configuration differs from what its file holds: for each file the window
// loaded or saved (and for "" when there is none) what that file was last known to hold, taken
// when it was loaded, saved, or the controller was read or written whole. Only configuration
// counts, as a data file holds it: not the selection, not the live output values, not what no
// file keeps. Undo and redo, which take the file back with a loaded one, find its state here.
class UnsavedChanges {
public:
    // The file ("" for none) now holds the image, saved in full or compact.
    void markSaved(const std::string& file, const ConfigurationImage& image, bool compact = false);
    // True when the image differs from what the file holds, or the file was never marked.
    bool changed(const std::string& file, const ConfigurationImage& image) const;

    // True for the command words after whose success the whole image is the controller's.
    static bool synchronisesWholeImage(const std::string& word);

private:
    std::map<std::string, ConfigurationImage> held_; // as a full save of each holds it
};

} // namespace vexa
