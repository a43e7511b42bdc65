#pragma once

#include <string>

namespace vexa {

// What a long operation reports while it runs, and the user's wish to stop it.
// The link calls keepAlive() while it waits for an answer, so that a window can handle its events.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void stage(const std::string& text) { (void)text; }
    virtual void count(int done, int total) {
        (void)done;
        (void)total;
    }
    virtual bool stopRequested() { return false; }
    virtual void keepAlive() {}
    // Something the user asked for meanwhile was not done because this operation runs; a window
    // says so in its status line.
    virtual void refusedMeanwhile() {}
};

} // namespace vexa
