#include "cli/TerminalProgress.h"

#include "model/ConfigurationImage.h"

namespace vexa::cli {

namespace {

// Longest line written, so that it stays on one row of a narrow terminal.
constexpr std::size_t MaxWidth = 79;

} // namespace

void TerminalProgress::stage(const std::string& text) {
    if (text == batch_ || text == detail_)
        return; // the same stage again, as for each pin: the count follows
    // A batch names its stage as "Batch: stage"; the operations inside it report plain stages.
    if (text.find(": ") != std::string::npos) {
        batch_ = text;
        detail_.clear();
    } else {
        detail_ = text;
    }
    counted_.clear();
    show();
}

void TerminalProgress::count(int done, int total) {
    if (total <= 0)
        return;
    if (!detail_.empty() && total == PinCount)
        counted_ = "pin " + std::to_string(done) + " of " + std::to_string(total);
    else if (detail_.empty())
        counted_ = "stage " + std::to_string(done < total ? done + 1 : total) + " of " + std::to_string(total);
    else
        counted_ = std::to_string(done) + " of " + std::to_string(total);
    show();
}

void TerminalProgress::note(const std::string& text) {
    clear();
    stream_ << text << '\n' << std::flush;
    show();
}

void TerminalProgress::show() {
    if (!terminal_)
        return;
    std::string line = batch_;
    if (!detail_.empty())
        line += (line.empty() ? "" : " - ") + detail_;
    if (!counted_.empty())
        line += (line.empty() ? "" : ", ") + counted_;
    if (line.size() > MaxWidth)
        line.resize(MaxWidth);
    const std::size_t width = line.size();
    if (width < shownWidth_)
        line.append(shownWidth_ - width, ' ');
    stream_ << '\r' << line << std::flush;
    shownWidth_ = width;
}

void TerminalProgress::clear() {
    if (!terminal_ || shownWidth_ == 0)
        return;
    stream_ << '\r' << std::string(shownWidth_, ' ') << '\r' << std::flush;
    shownWidth_ = 0;
}

} // namespace vexa::cli
