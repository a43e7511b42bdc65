#pragma once

#include "core/Progress.h"
#include "core/Prompter.h"
#include "core/Session.h"

#include <string>
#include <vector>

namespace vexa {

// Keeps the messages of work that must not show them one by one: the scan's question to a
// module address where nobody answers, or the work on one controller of a layout, whose
// messages the layout operation says once for all its controllers. Questions are answered
// Cancel/No, or asked through `questions` when given.
class HeldMessages : public Prompter {
public:
    explicit HeldMessages(Prompter* questions = nullptr) : questions_(questions) {}
    bool ask(MessageKind kind, const std::string& text) override;

    // Shows the last held message through another prompter (nothing when none was held).
    void showLast(Prompter& prompter) const;
    // The texts held, in order.
    std::vector<std::string> texts() const;
    // The texts held, in order, each on one line as a layout's summary shows it. The work on a
    // controller has a link of its own: a missing answer does not reset the user's
    // "Bidirectional Comm.", so that is not said.
    std::vector<std::string> summaries() const;

private:
    struct Held {
        MessageKind kind;
        std::string text;
    };
    Prompter* questions_;
    std::vector<Held> messages_;
};

// What the progress of work on one controller of the layout shows: the controller, then the
// stage ("Module 2 "Station": Read All: all pins"). Stop and keep-alive are the session's.
class ModuleProgress : public Progress {
public:
    ModuleProgress(Progress& shown, std::string prefix) : shown_(shown), prefix_(std::move(prefix)) {}
    void stage(const std::string& text) override { shown_.stage(prefix_ + text); }
    void count(int done, int total) override { shown_.count(done, total); }
    bool stopRequested() override { return shown_.stopRequested(); }
    void keepAlive() override { shown_.keepAlive(); }

private:
    Progress& shown_;
    std::string prefix_;
};

// A session of its own on the port of the user's session, for work on one controller of a
// layout: its configuration starts empty (as at program start), its messages go to the given
// prompter and its progress is the given one. It takes the port and a copy of the link for its
// life and then gives the port back, with the link's frame toggles and what it traced; the
// user's configuration, module address and link options stay as they were. Work that `writes`
// to the controller the user's session reaches makes that session forget what it knew the
// controller to hold.
class BorrowedLink {
public:
    BorrowedLink(Session& owner, Prompter& prompter, Progress& progress, bool writes = false);
    ~BorrowedLink();
    BorrowedLink(const BorrowedLink&) = delete;
    BorrowedLink& operator=(const BorrowedLink&) = delete;

    Session& session() { return work_; }

private:
    Session& owner_;
    Session work_;
    bool writes_;
};

} // namespace vexa
