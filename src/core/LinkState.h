#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexa {

constexpr std::uint8_t ToggleUnsynchronised = 128;
constexpr std::size_t StrayHeaderLimit = 16;
// The most times a read may be sent again ("Retries", --retries).
constexpr int MaxRetries = 5;

// State of the link to the controller, kept for the whole run.
struct LinkState {
    int moduleAddress = 0;                  // 0..15 direct, 0..31 tunnelled
    int xAddress = 0;                       // 0..95, sent when useXAddress is on
    int frameToggle = ToggleUnsynchronised; // 128 = not synchronised, else 64 or 0
    bool answerValid = false;
    std::array<std::uint8_t, 21> answerBuffer{};

    bool bidirectional = true; // "Bidirectional Comm." (CheckVexaBD)
    // Set when the link, not the user, switched "Bidirectional Comm." off after a missed answer:
    // what is written one-way from then on is not known to have arrived. Cleared once an answer
    // is awaited again or the user sets the box.
    bool bidirectionalLost = false;
    bool useXAddress = false; // "Use eXtended Addr" (CheckXaddress)
    bool useCorvan = false;   // "Use Corvan Tunneling" (CheckCorvan), on only while a checked tunnel stands
    int corvanToggle = 1;     // bit 6 of the next Corvan frame's header: 0 or 1

    // How long the link waits for an answer, in seconds: the controller's answer on the direct
    // link and through the tunnel, and the Corvan interface's answer to each of its frames. A
    // scan of many module addresses may shorten it.
    double answerTimeoutSeconds = 2.0;

    // How many times a read whose answer did not come, or came malformed, is sent again before
    // the link reports it (0..MaxRetries; 0 = one try, the bytes of a link without retries).
    int retryLimit = 0;
    // Counts every request the link sent again (and every write it read back); never cleared by
    // the link, so that whoever reports an operation can say how many it took.
    int retriesTaken = 0;

    // Set by the link whenever it reports a fault (no answer, an invalid answer, a port that
    // stopped working); never cleared by the link, so a caller can tell whether a whole
    // command met one.
    bool faultReported = false;
    // When set (the command line), no request is sent once a fault has been reported, so that
    // a command stops instead of going on one-way against a controller that does not answer.
    bool haltOnFault = false;
    // How many more link faults are shown; the others are only marked in faultReported.
    // Negative: every one is shown.
    int faultMessagesLeft = -1;
    // Header bytes of the frames that arrived while no request of theirs was awaited (a late
    // answer to an earlier request, above all), newest last; the link keeps the latest
    // StrayHeaderLimit, and whoever looks at them may clear them.
    std::vector<std::uint8_t> strayHeaders;

    // Notes the header byte of a frame that was not the answer awaited.
    void noteStrayHeader(std::uint8_t header) {
        if (strayHeaders.size() >= StrayHeaderLimit)
            strayHeaders.erase(strayHeaders.begin());
        strayHeaders.push_back(header);
    }

    // The user sets "Bidirectional Comm.": writes sent one-way by that choice count as done.
    void chooseBidirectional(bool on) {
        bidirectional = on;
        bidirectionalLost = false;
    }

    // Number of data bytes of the last answer ([1] AND 15).
    int answerSize() const { return answerBuffer[1] & 15; }
    // Data byte i of the last answer (0 = the echoed command code).
    int answerData(int i) const { return answerBuffer.at(static_cast<std::size_t>(2 + i)); }
    // The data bytes of the last answer from `first` on.
    std::vector<int> answerFrom(int first) const {
        std::vector<int> values;
        for (int i = first; i < answerSize(); ++i)
            values.push_back(answerData(i));
        return values;
    }
};

} // namespace vexa
