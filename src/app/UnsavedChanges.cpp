#include "app/UnsavedChanges.h"

namespace vexa {

void UnsavedChanges::markSaved(const ConfigurationImage& image) {
    saved_ = image;
}

bool UnsavedChanges::changed(const ConfigurationImage& image) const {
    ConfigurationImage compared = image;
    compared.currentPin = saved_.currentPin;
    compared.currentAspect = saved_.currentAspect;
    return !(compared == saved_);
}

bool UnsavedChanges::synchronisesWholeImage(const std::string& word) {
    // Partial reads change the image without saving it elsewhere, and partial writes leave
    // other edits unwritten: after them the configuration counts as changed.
    // After "Write Changes" the controller holds everything the configuration holds.
    return word == "ReadAll" || word == "WriteAll" || word == "WriteChanges";
}

} // namespace vexa
