#include "layout/LayoutLink.h"

#include "module/ModuleSettingsTransfer.h"

namespace vexa {

bool HeldMessages::ask(MessageKind kind, const std::string& text) {
    messages_.push_back({kind, text});
    return false;
}

void HeldMessages::showLast(Prompter& prompter) const {
    if (!messages_.empty())
        prompter.ask(messages_.back().kind, messages_.back().text);
}

BorrowedLink::BorrowedLink(Session& owner, Prompter& prompter, Progress& progress)
    : owner_(owner), work_(prompter, owner.clock, owner.ports) {
    work_.port = std::move(owner.port);
    work_.link = owner.link;
    work_.link.faultReported = false;
    work_.numberingBase = owner.numberingBase;
    work_.progress = &progress;
    SetModuleStartValues(work_);
}

BorrowedLink::~BorrowedLink() {
    owner_.port = std::move(work_.port);
    LinkState& link = owner_.link;
    // The next frame at the user's address needs a resynchronisation when this session last
    // talked to another address.
    link.frameToggle = work_.link.moduleAddress == link.moduleAddress ? work_.link.frameToggle : ToggleUnsynchronised;
    link.corvanToggle = work_.link.corvanToggle;
    link.useCorvan = work_.link.useCorvan;
    owner_.trace.append(work_.trace.text());
}

} // namespace vexa
