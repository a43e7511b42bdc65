#pragma once

#include <string>

namespace vexa {

// What a long operation reports while it runs, and the user's wish to stop it.
// The link calls keepAlive() while it waits for an answer, so that a window can repaint.
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
};

} // namespace vexa
