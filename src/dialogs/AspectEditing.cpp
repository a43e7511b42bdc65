#include "dialogs/AspectEditing.h"

#include "dialogs/CurrentSelection.h"
#include "dialogs/EditMessages.h"

namespace vexa {

void ClearCurrentAspect(ConfigurationImage& image) {
    if (AspectRecord* aspect = CurrentAspectRecord(image))
        *aspect = AspectRecord{};
}

void CleanUpCurrentAspect(ConfigurationImage& image) {
    AspectRecord* aspect = CurrentAspectRecord(image);
    if (aspect == nullptr)
        return;
    aspect->description.clear();
    bool afterEmptyStep = false;
    for (AspectStep& step : aspect->steps) {
        if (afterEmptyStep) {
            step = AspectStep{};
        } else if (step.instruction == 0) {
            step = AspectStep{};
            afterEmptyStep = true;
        }
    }
}

void CopyCurrentAspect(const ConfigurationImage& image, AspectClipboard& clipboard) {
    const AspectRecord* aspect = CurrentAspectRecord(image);
    if (aspect == nullptr)
        return;
    clipboard.record = *aspect;
    clipboard.filled = true;
}

bool PasteCurrentAspect(Session& session, const AspectClipboard& clipboard) {
    if (!clipboard.filled) {
        session.tell(NothingToPasteMessage);
        return false;
    }
    AspectRecord* aspect = CurrentAspectRecord(session.image);
    if (aspect == nullptr)
        return false;
    *aspect = clipboard.record;
    return true;
}

} // namespace vexa
