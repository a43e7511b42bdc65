#pragma once

#include "sim/ControllerMemory.h"
#include "sim/SimFrameParser.h"
#include "sim/SimLine.h"
#include "sim/SimLiveOutputs.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// Faults the simulated controller can put on its answers, for tests of the link.
enum class SimulatorFault {
    Drop,    // the answer is not sent
    Corrupt, // the answer's check byte is wrong
    Stray,   // stray bytes with bit 7 set go out before the answer
    Late,    // the answer goes out only after the late delay
};

// How long the simulated controller is busy after an erase, by default, and at most.
constexpr int DefaultSimEraseTimeMs = 3000;
constexpr int MaxSimEraseTimeMs = 45000;

// Count for injectFault: the fault hits every answer from now on.
constexpr int EveryAnswer = -1;

// A Lumo-format frame taken off the line (the controller never answers these).
struct SimLumoFrame {
    std::uint8_t header = 0;
    std::array<std::uint8_t, 3> data{};

    bool operator==(const SimLumoFrame&) const = default;
};

// A Vexa request addressed to this controller, as it came.
struct SimReceivedRequest {
    std::uint8_t header = 0;
    bool bidirectional = false;
    std::optional<std::uint8_t> xAddress;
    std::vector<std::uint8_t> data;
};

// A simulated Vexa controller at the far end of the serial line. It takes the bytes of the
// line one at a time, keeps the whole configuration of a controller, answers each
// bidirectional request addressed to it (its module address, and its eXtended address when
// one is set) and stays silent otherwise. The line is served on the thread of the running
// operation while a window shows the outputs: taking a byte, the outputs and what came are
// locked against each other.
class Simulator : public SimLine {
public:
    // A freshly erased controller with firmware version 3.1.0.12.
    Simulator();

    // --- the line ---
    // Takes one byte sent to the controller; returns the answer when the byte completed a
    // request that is answered.
    std::optional<SimulatorAnswer> receive(std::uint8_t byte) override;

    int moduleAddress() const { return moduleAddress_; }
    bool setModuleAddress(int address); // 0..15; false (and unchanged) otherwise
    // The eXtended address the controller demands in every request, or nullopt: then it takes
    // requests with or without the byte and answers in the same form.
    std::optional<int> xAddress() const { return xAddress_; }
    bool setXAddress(std::optional<int> address); // 0..95; false (and unchanged) otherwise

    // Bit rate at which answer (and request) bytes travel, 11 bit times a byte; 0 = no pacing.
    int pacingBitRate() const { return pacingBitRate_; }
    void setPacing(int bitRate);
    std::chrono::nanoseconds byteTime() const override;

    // --- faults ---
    // The next `count` answers (or every answer with EveryAnswer) get the fault.
    void injectFault(SimulatorFault fault, int count = 1);
    // From now on the fault hits one answer in `oneIn` (2 or more): every oneIn-th answer, the
    // first after the phase that setFaultPhase gave; 0 ends it.
    void injectPeriodicFault(SimulatorFault fault, int oneIn);
    // Counts `phase` answers as already gone by for every such fault, so that runs with another
    // phase are hit at other answers.
    void setFaultPhase(unsigned phase) { answersCounted_.fill(phase); }
    void clearFaults();
    std::chrono::milliseconds lateDelay() const { return lateDelay_; }
    void setLateDelay(std::chrono::milliseconds delay) { lateDelay_ = delay; }

    // --- the controller's state ---
    ControllerMemory& memory() { return memory_; }
    const ControllerMemory& memory() const { return memory_; }
    SimPin& pin(int p) { return memory_.pins.at(static_cast<std::size_t>(p)); }
    const SimPin& pin(int p) const { return memory_.pins.at(static_cast<std::size_t>(p)); }
    // Value bytes of module setting s (0..13).
    std::vector<std::uint8_t>& setting(int s) { return memory_.settings.at(static_cast<std::size_t>(s)); }
    const std::vector<std::uint8_t>& setting(int s) const { return memory_.settings.at(static_cast<std::size_t>(s)); }
    std::string idString() const;
    void setIdString(const std::string& text); // cut to 12 characters, 7-bit
    void erase();                              // as the erase command does
    // How long the controller stays busy after an erase request: it takes no request and
    // answers nothing meanwhile (a real controller needs up to 45 s).
    std::chrono::milliseconds eraseTime() const { return eraseTime_; }
    void setEraseTime(std::chrono::milliseconds time) { eraseTime_ = time; }
    bool busyErasing() const;
    // Aspect the pin shows since the last set-aspect command, -1 = none.
    int shownAspect(int p) const { return live_.shownAspect.at(static_cast<std::size_t>(p)); }
    // A message the controller reports in answer to the next empty request.
    void queueReport(const std::array<std::uint8_t, 4>& message) { QueueReport(live_, message); }
    std::size_t pendingReports() const { return live_.reports.size(); }
    // What each output shows now: aspect, PWM or lamp level, servo position, lamp test.
    std::array<SimOutputView, PinCount> outputs() const {
        const std::lock_guard lock(lineMutex_);
        return ViewOutputs(memory_, live_, clock_());
    }
    // The clock on which outputs move, in seconds (a steady clock unless a test sets its own).
    void setClock(std::function<double()> clock) { clock_ = std::move(clock); }
    // Every output back to its start (initial levels and positions, initial aspects), as at power-up.
    void resetOutputs() { ResetOutputs(memory_, live_); }

    // --- what came and went ---
    const std::deque<SimLumoFrame>& lumoFrames() const { return lumoFrames_; }
    void clearLumoFrames() { lumoFrames_.clear(); }
    std::deque<SimReceivedRequest> requests() const {
        const std::lock_guard lock(lineMutex_);
        return requests_;
    }
    void clearRequests() {
        const std::lock_guard lock(lineMutex_);
        requests_.clear();
    }
    std::uint64_t requestBytes() const { return requestBytes_; } // bytes taken off the line
    std::uint64_t answerBytes() const { return answerBytes_; }   // bytes put on the line
    void resetByteCounts() { requestBytes_ = answerBytes_ = 0; }
    int badFrames() const { return parser_.badFrames(); }

    // --- state file ---
    // Writes the configuration memory to a text file; false with a reason when that failed.
    bool save(const std::string& path, std::string& error) const;
    // Reads a state file; on any fault the state stays as it was and error says where.
    bool load(const std::string& path, std::string& error);

private:
    struct FaultCounts {
        int drop = 0;
        int corrupt = 0;
        int stray = 0;
        int late = 0;
    };
    // Each fault that hits one answer in N, with N (0 = none), in the order of SimulatorFault.
    using FaultChances = std::array<int, 4>;

    int* faultCount(SimulatorFault fault);
    // Whether the fault hits this answer: by its count, else by its chance.
    bool takeFault(SimulatorFault fault);

    std::optional<SimulatorAnswer> serve(const ParsedFrame& frame);
    bool addressedToMe(const ParsedFrame& frame) const;
    SimulatorAnswer frameAnswer(const ParsedFrame& request, const std::vector<std::uint8_t>& data);
    void recordLumo(const ParsedFrame& frame);

    mutable std::mutex lineMutex_;
    ControllerMemory memory_;
    SimLiveState live_;
    std::function<double()> clock_;
    SimFrameParser parser_;
    int moduleAddress_ = 0;
    std::optional<int> xAddress_;
    int pacingBitRate_ = 0;
    FaultCounts faults_;
    FaultChances chances_{};
    std::array<unsigned, 4> answersCounted_{}; // answers seen by each fault of one in N
    std::chrono::milliseconds lateDelay_{2500};
    std::chrono::milliseconds eraseTime_{DefaultSimEraseTimeMs};
    std::chrono::steady_clock::time_point busyUntil_{};
    std::deque<SimLumoFrame> lumoFrames_;
    std::deque<SimReceivedRequest> requests_;
    std::uint64_t requestBytes_ = 0;
    std::uint64_t answerBytes_ = 0;
};

} // namespace vexa
