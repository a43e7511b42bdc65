#pragma once

#include "model/ConfigurationImage.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace vexa {

// A state of the window's configuration: the image and the file it belongs to (empty when none).
struct EditState {
    ConfigurationImage image;
    std::string file;
};

// The window's undo and redo: whole snapshots of the configuration image (a full one is a few
// tens of kilobytes), one per change, each with the name the Edit menu shows. A snapshot is
// taken only when the configuration differs from the last one; the selection and the live
// output values are not configuration and make no step. A step that brought another file
// (a file loaded) takes the file back with it; saving under another name is no step, and undo
// keeps that name.
class EditHistory {
public:
    explicit EditHistory(std::size_t depth = 100) : depth_(depth) {}

    // Forgets every step: the history starts at `state`.
    void reset(EditState state);
    // Records `state` as a step named `name` when its configuration differs from the state the
    // history is at; the steps undone before are dropped. A state whose configuration is the
    // same only updates the file (saved under another name). With `merge`, a change of the same
    // name as the latest step (typing on in one field) joins that step, and a step that comes
    // back to where it started goes. True when the history changed.
    bool record(const EditState& state, const std::string& name, bool merge = false) {
        return record(
            state, [&name] { return name; }, merge);
    }
    // As above; the name is asked for only when the configuration changed (naming a change
    // compares two whole images, and most calls find nothing changed).
    bool record(const EditState& state, const std::function<std::string()>& nameOf, bool merge = false);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // Names of the step that undo or redo would take back or bring again; empty when none.
    std::string undoName() const;
    std::string redoName() const;

    // Goes back one step and returns the state before it. The selection stays where the step was
    // made, the live values and the file as they are in `current` (the file goes back only
    // when the step brought another one). Call only when canUndo().
    EditState undo(const EditState& current);
    // Brings the step undone last again (its selection included); call only when canRedo().
    EditState redo(const EditState& current);

    // The state the history is at now.
    const EditState& now() const { return done_ == 0 ? start_ : steps_[done_ - 1].after; }

private:
    struct Step {
        std::string name;
        EditState after;
        bool bringsFile = false; // the step changed the file, from fileBefore
        std::string fileBefore;
    };

    EditState start_;
    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are in effect
    std::size_t depth_;
};

} // namespace vexa
