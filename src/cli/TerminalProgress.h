#pragma once

#include "core/Progress.h"
#include "core/Prompter.h"

#include <ostream>
#include <string>

namespace vexa::cli {

// Progress of a command on standard error when it is a terminal: one line, rewritten in
// place ("Read All: Read all pins - Reading pins, pin 5 of 32"), wiped when the command ends.
// Writes no progress at all when the stream is no terminal, so scripts and logs stay clean;
// a note of the operation is a message and is always written, on a line of its own.
class TerminalProgress : public Progress {
public:
    TerminalProgress(std::ostream& stream, bool terminal) : stream_(stream), terminal_(terminal) {}
    ~TerminalProgress() override { clear(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void stage(const std::string& text) override;
    void count(int done, int total) override;
    void note(const std::string& text) override;
    // Wipes the line, so that the next message starts on a clean line.
    void clear();

private:
    void show();

    std::ostream& stream_;
    bool terminal_;
    std::string batch_;  // "Read All: Read all pins"
    std::string detail_; // "Reading pins"
    std::string counted_;
    std::size_t shownWidth_ = 0;
};

// Hands messages on to another prompter after wiping the progress line.
class LineClearingPrompter : public Prompter {
public:
    LineClearingPrompter(Prompter& inner, TerminalProgress& progress) : inner_(inner), progress_(progress) {}
    bool ask(MessageKind kind, const std::string& text) override {
        progress_.clear();
        return inner_.ask(kind, text);
    }
    Prompter& inner() { return inner_; }

private:
    Prompter& inner_;
    TerminalProgress& progress_;
};

} // namespace vexa::cli
