#pragma once

#include <string>

namespace vexa {

// What a long operation reports while it runs, and the user's wish to stop it.
// The link calls keepAlive() at least every 50 ms while it waits for an answer or pauses. In a
// window the operation runs on its own thread: every call may come from that thread.
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
    // One line about what the operation did that the user did not ask for (a value it had to
    // change to send it): a window shows it in its status line, the command line prints it.
    virtual void note(const std::string& text) { (void)text; }
};

} // namespace vexa
