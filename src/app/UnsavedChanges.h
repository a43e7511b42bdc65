#pragma once

#include "model/ConfigurationImage.h"

#include <string>

namespace vexa {

// Knows whether the configuration changed since it was last loaded, saved, read from or written
// to the controller: it keeps a copy of the image taken at those moments. The selection (current
// pin and aspect) is not part of the configuration and does not count.
class UnsavedChanges {
public:
    // The image is now the same as in a file or in the controller.
    void markSaved(const ConfigurationImage& image);
    bool changed(const ConfigurationImage& image) const;

    // True for the command words after whose success the whole image is the controller's.
    static bool synchronisesWholeImage(const std::string& word);

private:
    ConfigurationImage saved_;
};

} // namespace vexa
