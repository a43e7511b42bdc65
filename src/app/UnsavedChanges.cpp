#include "app/UnsavedChanges.h"

#include "files/ConfigFileForm.h"
#include "model/ConfigurationChange.h"

namespace vexa {

void UnsavedChanges::markSaved(const std::string& file, const ConfigurationImage& image, bool compact) {
    // A compact file holds less than the configuration: what it leaves out counts as changed.
    held_[file] = ConfigurationAsSaved(image, compact);
}

bool UnsavedChanges::changed(const std::string& file, const ConfigurationImage& image) const {
    const auto held = held_.find(file);
    return held == held_.end() || !SameConfiguration(ConfigurationAsSaved(image, false), held->second);
}

bool UnsavedChanges::synchronisesWholeImage(const std::string& word) {
    // Partial reads change the image without saving it elsewhere, and partial writes leave
    // other edits unwritten: after them the configuration counts as changed.
    // After "Write Changes" the controller holds everything the configuration holds.
    return word == "ReadAll" || word == "WriteAll" || word == "WriteChanges";
}

} // namespace vexa
