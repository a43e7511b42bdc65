#pragma once

#include "core/Progress.h"
#include "link/LinkState.h"

namespace vexa::cli {

// The progress of one command of the command line: the command stops at its next exchange
// once the link has reported a fault, instead of going on one-way against a controller that
// does not answer. The command then fails.
class LinkFaultProgress : public Progress {
public:
    explicit LinkFaultProgress(const LinkState& link) : link_(link) {}
    bool stopRequested() override { return link_.faultReported; }

private:
    const LinkState& link_;
};

} // namespace vexa::cli
