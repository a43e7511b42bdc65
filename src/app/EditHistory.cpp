#include "app/EditHistory.h"

#include "model/ConfigurationChange.h"

namespace vexa {

namespace {

// `shown` with the live output values of `current`: they follow the controller, not the history.
EditState WithLiveValues(EditState shown, const ConfigurationImage& current) {
    for (std::size_t i = 0; i < shown.image.pins.size(); ++i)
        shown.image.pins[i].liveValue = current.pins[i].liveValue;
    return shown;
}

} // namespace

void EditHistory::reset(EditState state) {
    start_ = std::move(state);
    steps_.clear();
    done_ = 0;
}

bool EditHistory::record(const EditState& state, const std::function<std::string()>& nameOf, bool merge) {
    if (SameConfiguration(state.image, now().image)) {
        (done_ == 0 ? start_ : steps_[done_ - 1].after).file = state.file;
        return false;
    }
    const std::string name = nameOf();
    if (merge && canUndo() && !canRedo() && steps_.back().name == name && !steps_.back().bringsFile &&
        state.file == now().file) {
        steps_.pop_back();
        --done_;
        if (SameConfiguration(state.image, now().image))
            return true; // typed back to where the step began
    }
    const std::string& fileBefore = now().file;
    Step step{name, state, state.file != fileBefore, fileBefore};
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back(std::move(step));
    if (steps_.size() > depth_) {
        start_ = std::move(steps_.front().after);
        steps_.pop_front();
    }
    done_ = steps_.size();
    return true;
}

std::string EditHistory::undoName() const {
    return canUndo() ? steps_[done_ - 1].name : std::string();
}

std::string EditHistory::redoName() const {
    return canRedo() ? steps_[done_].name : std::string();
}

EditState EditHistory::undo(const EditState& current) {
    const Step& undone = steps_[--done_];
    EditState shown = WithLiveValues(now(), current.image);
    shown.image.currentPin = undone.after.image.currentPin;
    shown.image.currentAspect = undone.after.image.currentAspect;
    shown.file = undone.bringsFile ? undone.fileBefore : current.file;
    return shown;
}

EditState EditHistory::redo(const EditState& current) {
    const Step& redone = steps_[done_++];
    EditState shown = WithLiveValues(redone.after, current.image);
    if (!redone.bringsFile)
        shown.file = current.file;
    return shown;
}

} // namespace vexa
