#include "dialogs/CurrentSelection.h"

namespace vexa {

namespace {

template <typename Image> auto* PinOf(Image& image) {
    return image.currentPin >= 0 && image.currentPin < PinCount
               ? &image.pins[static_cast<std::size_t>(image.currentPin)]
               : nullptr;
}

template <typename Image> auto* AspectOf(Image& image) {
    auto* pin = PinOf(image);
    return pin != nullptr && image.currentAspect >= 0 && image.currentAspect < AspectCount
               ? &pin->aspects[static_cast<std::size_t>(image.currentAspect)]
               : nullptr;
}

} // namespace

PinRecord* CurrentPinRecord(ConfigurationImage& image) {
    return PinOf(image);
}
const PinRecord* CurrentPinRecord(const ConfigurationImage& image) {
    return PinOf(image);
}
AspectRecord* CurrentAspectRecord(ConfigurationImage& image) {
    return AspectOf(image);
}
const AspectRecord* CurrentAspectRecord(const ConfigurationImage& image) {
    return AspectOf(image);
}

} // namespace vexa
