#include "layout/LayoutLink.h"

#include "link/LinkMessages.h"
#include "module/ModuleSettingsTransfer.h"

namespace vexa {

bool HeldMessages::ask(MessageKind kind, const std::string& text) {
    const bool question = kind == MessageKind::OkCancelWarning || kind == MessageKind::YesNo;
    if (question && questions_)
        return questions_->ask(kind, text);
    messages_.push_back({kind, text});
    return false;
}

std::vector<std::string> HeldMessages::texts() const {
    std::vector<std::string> texts;
    for (const Held& held : messages_)
        texts.push_back(held.text);
    return texts;
}

std::vector<std::string> HeldMessages::summaries() const {
    std::vector<std::string> summaries;
    for (const Held& held : messages_) {
        if (held.text == NoResponseResetText) {
            summaries.emplace_back("No response received");
            continue;
        }
        std::string text;
        for (std::size_t i = 0; i < held.text.size(); ++i) {
            const char c = held.text[i];
            if (c == '\r' && i + 1 < held.text.size() && held.text[i + 1] == '\n')
                continue;
            text += c == '\r' || c == '\n' ? ' ' : c;
        }
        summaries.push_back(std::move(text));
    }
    return summaries;
}

void HeldMessages::showLast(Prompter& prompter) const {
    if (!messages_.empty())
        prompter.ask(messages_.back().kind, messages_.back().text);
}

BorrowedLink::BorrowedLink(Session& owner, Prompter& prompter, Progress& progress, bool writes)
    : owner_(owner), work_(prompter, owner.clock, owner.ports), writes_(writes) {
    // The user's session keeps the name and openings of its port, so that what it knows of its
    // controller stays tied to it meanwhile.
    work_.port.port = std::move(owner.port.port);
    work_.port.name = owner.port.name;
    work_.port.settings = owner.port.settings;
    work_.port.openings = owner.port.openings;
    // A port that stops working meanwhile is told as the user's session tells it.
    work_.port.watched = owner.port.watched;
    work_.port.followed = owner.port.followed;
    work_.link = owner.link;
    work_.link.faultReported = false;
    work_.numberingBase = owner.numberingBase;
    work_.progress = &progress;
    SetModuleStartValues(work_);
}

BorrowedLink::~BorrowedLink() {
    owner_.port.port = std::move(work_.port.port);
    owner_.port.lost = owner_.port.lost || work_.port.lost;
    LinkState& link = owner_.link;
    const bool sameController = work_.link.moduleAddress == link.moduleAddress &&
                                work_.link.useXAddress == link.useXAddress && work_.link.xAddress == link.xAddress;
    // What this work read of the user's controller and the user's session knew otherwise: another
    // controller answers there now (or it was changed behind the session), so its copy is void.
    if (sameController && (writes_ || owner_.controllerCopy().contradictedBy(work_.controllerCopy())))
        owner_.controllerCopy().forgetAll();
    // The next frame at the user's address needs a resynchronisation when this session last
    // talked to another address.
    link.frameToggle = work_.link.moduleAddress == link.moduleAddress ? work_.link.frameToggle : ToggleUnsynchronised;
    link.corvanToggle = work_.link.corvanToggle;
    link.useCorvan = work_.link.useCorvan;
    owner_.trace.append(work_.trace.text());
}

} // namespace vexa
