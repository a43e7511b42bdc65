#pragma once

#include "core/LinkState.h"
#include "core/Progress.h"

namespace vexa::cli {

// The progress of the commands of the command line: shown through another progress (the
// terminal line), and a command stops at its next exchange once the link has reported a fault,
// instead of going on one-way against a controller that does not answer. The command then fails.
class LinkFaultProgress : public Progress {
public:
    LinkFaultProgress(const LinkState& link, Progress& shown) : link_(link), shown_(shown) {}
    void stage(const std::string& text) override { shown_.stage(text); }
    void count(int done, int total) override { shown_.count(done, total); }
    void keepAlive() override { shown_.keepAlive(); }
    bool stopRequested() override { return link_.faultReported || shown_.stopRequested(); }

private:
    const LinkState& link_;
    Progress& shown_;
};

} // namespace vexa::cli
