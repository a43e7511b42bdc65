#include "sim/Simulator.h"

#include "link/Exchange.h"
#include "sim/SimRequests.h"
#include "sim/SimStateFile.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr std::array<std::uint8_t, 4> DefaultVersion{3, 1, 0, 12};
constexpr std::size_t LogLimit = 4096; // frames kept in each log; older ones are dropped
constexpr std::array<std::uint8_t, 3> StrayBytes{0xFF, 0x80, 0xAA};
constexpr int BitTimesPerByte = 11;

// Takes one hit of a fault count: true when the fault applies to this answer.
bool TakeFault(int& count) {
    if (count == 0)
        return false;
    if (count > 0)
        --count;
    return true;
}

template <typename T> void AppendBounded(std::deque<T>& log, T entry) {
    if (log.size() >= LogLimit)
        log.pop_front();
    log.push_back(std::move(entry));
}

} // namespace

Simulator::Simulator()
    : memory_(FactoryMemory(DefaultVersion)), clock_([] {
          return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
      }) {}

bool Simulator::setModuleAddress(int address) {
    if (address < 0 || address > 15)
        return false;
    moduleAddress_ = address;
    return true;
}

bool Simulator::setXAddress(std::optional<int> address) {
    if (address && (*address < 0 || *address > 95))
        return false;
    xAddress_ = address;
    return true;
}

void Simulator::setPacing(int bitRate) {
    pacingBitRate_ = bitRate > 0 ? bitRate : 0;
}

std::chrono::nanoseconds Simulator::byteTime() const {
    if (pacingBitRate_ <= 0)
        return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(BitTimesPerByte * 1'000'000'000LL / pacingBitRate_);
}

int* Simulator::faultCount(SimulatorFault fault) {
    switch (fault) {
    case SimulatorFault::Drop:
        return &faults_.drop;
    case SimulatorFault::Corrupt:
        return &faults_.corrupt;
    case SimulatorFault::Stray:
        return &faults_.stray;
    case SimulatorFault::Late:
        break;
    }
    return &faults_.late;
}

void Simulator::injectFault(SimulatorFault fault, int count) {
    int* slot = faultCount(fault);
    if (count == EveryAnswer || *slot == EveryAnswer)
        *slot = EveryAnswer;
    else if (count > 0)
        *slot += count;
}

void Simulator::injectPeriodicFault(SimulatorFault fault, int oneIn) {
    chances_.at(static_cast<std::size_t>(fault)) = oneIn >= 2 ? oneIn : 0;
}

bool Simulator::takeFault(SimulatorFault fault) {
    if (TakeFault(*faultCount(fault)))
        return true;
    const auto index = static_cast<std::size_t>(fault);
    const int oneIn = chances_.at(index);
    return oneIn > 0 && ++answersCounted_.at(index) % static_cast<unsigned>(oneIn) == 0;
}

void Simulator::clearFaults() {
    faults_ = FaultCounts{};
    chances_ = FaultChances{};
}

std::string Simulator::idString() const {
    const auto& bytes = setting(SettingIdString);
    return std::string(bytes.begin(), bytes.end());
}

void Simulator::setIdString(const std::string& text) {
    auto& bytes = setting(SettingIdString);
    bytes.clear();
    for (char c : text.substr(0, SimIdStringMax))
        bytes.push_back(static_cast<std::uint8_t>(c & 127));
}

void Simulator::erase() {
    EraseConfiguration(memory_);
    live_.shownAspect.fill(-1);
    live_.outputs = {};
}

std::optional<SimulatorAnswer> Simulator::receive(std::uint8_t byte) {
    const std::lock_guard lock(lineMutex_);
    ++requestBytes_;
    const std::optional<ParsedFrame> frame = parser_.push(byte);
    if (!frame)
        return std::nullopt;
    live_.now = clock_();
    if (frame->kind == ParsedFrame::Kind::Lumo) {
        recordLumo(*frame);
        return std::nullopt; // Lumo modules never answer
    }
    return serve(*frame);
}

void Simulator::recordLumo(const ParsedFrame& frame) {
    // The empty Lumo frame right after a preamble is the link synchronising, not a command.
    const bool isSync = frame.followsPreamble && frame.data == std::vector<std::uint8_t>{0, 0, 0};
    if (isSync)
        return;
    const SimLumoFrame lumo{frame.header, {frame.data[0], frame.data[1], frame.data[2]}};
    AppendBounded(lumoFrames_, lumo);
    ServeLumoOutputs(memory_, live_, moduleAddress_, lumo.header, lumo.data);
}

bool Simulator::addressedToMe(const ParsedFrame& frame) const {
    if (frame.moduleAddress() != moduleAddress_)
        return false;
    if (xAddress_)
        return frame.xAddress && *frame.xAddress == *xAddress_;
    return true;
}

bool Simulator::busyErasing() const {
    return std::chrono::steady_clock::now() < busyUntil_;
}

std::optional<SimulatorAnswer> Simulator::serve(const ParsedFrame& frame) {
    if (!addressedToMe(frame) || busyErasing())
        return std::nullopt;
    if (IsEraseRequest(frame.data))
        busyUntil_ = std::chrono::steady_clock::now() + eraseTime_;
    AppendBounded(requests_, SimReceivedRequest{frame.header, frame.bidirectional(), frame.xAddress, frame.data});
    // Without the bidirectional bit the tool does not wait, so nothing is sent back. An empty
    // frame sent that way (the link synchronising) is no poll: its report stays queued.
    if (!frame.bidirectional()) {
        if (!frame.data.empty())
            ServeRequest(memory_, live_, frame.data);
        return std::nullopt;
    }
    std::vector<std::uint8_t> answer = ServeRequest(memory_, live_, frame.data);
    if (takeFault(SimulatorFault::Drop))
        return std::nullopt;
    return frameAnswer(frame, answer);
}

SimulatorAnswer Simulator::frameAnswer(const ParsedFrame& request, const std::vector<std::uint8_t>& data) {
    const std::size_t count = std::min<std::size_t>(data.size(), 15);
    SimulatorAnswer answer;
    if (takeFault(SimulatorFault::Stray))
        answer.bytes.assign(StrayBytes.begin(), StrayBytes.end());
    const std::size_t start = answer.bytes.size();
    answer.bytes.push_back(request.header);
    answer.bytes.push_back(static_cast<std::uint8_t>(128 + 96 + (request.xAddress ? 16 : 0) + count));
    if (request.xAddress)
        answer.bytes.push_back(static_cast<std::uint8_t>(*request.xAddress + 128));
    for (std::size_t i = 0; i < count; ++i)
        answer.bytes.push_back(static_cast<std::uint8_t>((data[i] & 127) + 128));
    unsigned sum = 0;
    for (std::size_t i = start; i < answer.bytes.size(); ++i)
        sum += answer.bytes[i];
    std::uint8_t check = FrameCheckByte(sum);
    if (takeFault(SimulatorFault::Corrupt))
        check ^= 1; // still a byte with bit 7 set, but the sum no longer fits
    answer.bytes.push_back(check);
    if (takeFault(SimulatorFault::Late))
        answer.delay = lateDelay_;
    answerBytes_ += answer.bytes.size();
    return answer;
}

bool Simulator::save(const std::string& path, std::string& error) const {
    return SaveSimState(memory_, path, error);
}

bool Simulator::load(const std::string& path, std::string& error) {
    ControllerMemory loaded = memory_;
    if (!LoadSimState(path, loaded, error))
        return false;
    memory_ = std::move(loaded);
    live_.shownAspect.fill(-1);
    resetOutputs();
    return true;
}

} // namespace vexa
