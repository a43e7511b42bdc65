#pragma once

#include <string>

namespace vexa {

// A pseudo-terminal whose slave side a client opens as a serial device. The slave stays
// open here too, so that the terminal does not hang up when a client closes it.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // Opens the pair in raw mode; false with a reason.
    bool open(std::string& error);

    int master() const { return master_; }
    const std::string& slaveName() const { return slaveName_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};

} // namespace vexa
