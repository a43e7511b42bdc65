#include "sim/CorvanInterfaceSim.h"

#include "link/CorvanFrame.h"
#include "link/Exchange.h"
#include "sim/SimBus.h"
#include "sim/SimFrameParser.h"
#include "sim/Simulator.h"

namespace vexa {

namespace {

constexpr int ModuleAddressCode = 96;
constexpr std::size_t FrameLogLimit = 4096;

bool IsQuery(const std::vector<std::uint8_t>& data, std::initializer_list<int> message) {
    return data.size() == message.size() && std::equal(message.begin(), message.end(), data.begin());
}

} // namespace

std::optional<std::array<std::uint8_t, 2>> CorvanVersionBytes(int version) {
    const int d1 = version / 1000;
    const int d2 = version / 100 % 10;
    const int d3 = version / 10 % 10;
    const int d4 = version % 10;
    if (version < 0 || d1 > 15 || d2 > 7 || d4 > 7)
        return std::nullopt;
    return std::array<std::uint8_t, 2>{static_cast<std::uint8_t>(d1 * 8 + d2), static_cast<std::uint8_t>(d3 * 8 + d4)};
}

CorvanInterfaceSim::CorvanInterfaceSim(std::shared_ptr<Simulator> controller, CorvanInterfaceSettings settings)
    : controller_(std::move(controller)) {
    setSettings(settings);
}

CorvanInterfaceSim::CorvanInterfaceSim(std::shared_ptr<SimBus> bus, CorvanInterfaceSettings settings)
    : bus_(std::move(bus)) {
    settings.controllerAddress.reset();
    setSettings(settings);
}

bool CorvanInterfaceSim::setSettings(const CorvanInterfaceSettings& settings) {
    const bool addressFits = !settings.controllerAddress || (*settings.controllerAddress >= 0 &&
                                                             *settings.controllerAddress <= HighestTunnelModuleAddress);
    if (!CorvanVersionBytes(settings.protocolVersion) || !CorvanVersionBytes(settings.firmwareVersion) ||
        settings.interfaceType < 0 || settings.interfaceType > 127 || !addressFits)
        return false;
    settings_ = settings;
    return true;
}

SimLine& CorvanInterfaceSim::farLine() const {
    if (bus_)
        return *bus_;
    return *controller_;
}

std::chrono::nanoseconds CorvanInterfaceSim::byteTime() const {
    return farLine().byteTime();
}

std::optional<SimulatorAnswer> CorvanInterfaceSim::receive(std::uint8_t byte) {
    if (transparent_)
        return farLine().receive(byte);
    if (byte < 128) { // a header always starts a new frame
        wanted_ = CorvanCount(byte);
        inFrame_ = true;
        sum_ = byte;
        data_.clear();
        return std::nullopt;
    }
    if (!inFrame_)
        return std::nullopt;
    sum_ += byte;
    if (static_cast<int>(data_.size()) < wanted_) {
        data_.push_back(byte & 127);
        return std::nullopt;
    }
    inFrame_ = false;
    if ((sum_ & 127u) != 0)
        return std::nullopt; // a bad frame is not answered
    if (frames_.size() >= FrameLogLimit)
        frames_.pop_front();
    frames_.push_back(data_);
    return serve(data_);
}

std::optional<SimulatorAnswer> CorvanInterfaceSim::serve(const std::vector<std::uint8_t>& data) {
    if (data.empty())
        return frame(takeReadyAnswer());
    if (IsQuery(data, {1, 2})) {
        const auto v = *CorvanVersionBytes(settings_.protocolVersion);
        return frame({1, 2, v[0], v[1]});
    }
    if (IsQuery(data, {1, 10})) {
        const auto v = *CorvanVersionBytes(settings_.firmwareVersion);
        return frame({1, 10, settings_.interfaceType, v[0], v[1]});
    }
    if (IsQuery(data, {1, 5, 16})) {
        SimulatorAnswer answer = frame({});
        transparent_ = true;
        return answer;
    }
    if (data.size() >= 3 && data[0] == 0 && data[1] >= ModuleAddressCode) {
        const bool controllerRequest = data[2] == 96 || data[2] == 112;
        if (controllerRequest)
            carryRequest(data);
        else if (data.size() == 5)
            carryLumo(data);
    }
    return frame({});
}

Simulator* CorvanInterfaceSim::controllerAt(int busAddress) const {
    if (bus_)
        return bus_->at(busAddress).get();
    const bool addressed = !settings_.controllerAddress || *settings_.controllerAddress == busAddress;
    return addressed ? controller_.get() : nullptr;
}

// Gives the controller the request as a direct frame at its own module address, and keeps
// its answer for the next poll.
void CorvanInterfaceSim::carryRequest(const std::vector<std::uint8_t>& data) {
    const int busAddress = data[1] - ModuleAddressCode;
    Simulator* controller = controllerAt(busAddress);
    if (!controller)
        return;
    const bool withXAddress = data[2] == 112;
    const std::size_t first = withXAddress ? 4 : 3;
    if (data.size() < first || data.size() - first > 15)
        return;
    const auto count = static_cast<std::uint8_t>(data.size() - first);
    std::vector<std::uint8_t> request{static_cast<std::uint8_t>(controller->moduleAddress() * 4 + 3),
                                      static_cast<std::uint8_t>(128 + 96 + (withXAddress ? 16 : 0) + count)};
    for (std::size_t i = 3; i < data.size(); ++i)
        request.push_back(static_cast<std::uint8_t>(data[i] + 128));
    std::optional<SimulatorAnswer> answer;
    for (std::uint8_t byte : WithCheckByte(std::move(request)))
        answer = controller->receive(byte);
    if (!answer)
        return;
    SimFrameParser parser;
    std::optional<ParsedFrame> parsed;
    for (std::uint8_t byte : answer->bytes)
        if (auto done = parser.push(byte))
            parsed = done;
    if (!parsed)
        return; // a corrupted answer never reaches the interface
    std::vector<int> carried{0, ModuleAddressCode + busAddress, parsed->control & 127};
    if (parsed->xAddress)
        carried.push_back(*parsed->xAddress);
    carried.insert(carried.end(), parsed->data.begin(), parsed->data.end());
    answers_.push_back({std::move(carried), Clock::now() + answer->delay});
}

// On a bus the message goes to the controller at its bus address, framed at that controller's
// own module address; a single controller takes it as addressed.
void CorvanInterfaceSim::carryLumo(const std::vector<std::uint8_t>& data) {
    const int busAddress = data[1] - ModuleAddressCode;
    Simulator* controller = bus_ ? bus_->at(busAddress).get() : controller_.get();
    if (!controller)
        return;
    const int moduleAddress = bus_ ? controller->moduleAddress() : busAddress;
    const auto header = static_cast<std::uint8_t>(moduleAddress * 4 + 3);
    for (std::uint8_t byte :
         WithCheckByte({header, static_cast<std::uint8_t>(data[2] + 128), static_cast<std::uint8_t>(data[3] + 128),
                        static_cast<std::uint8_t>(data[4] + 128)}))
        controller->receive(byte);
}

std::vector<int> CorvanInterfaceSim::takeReadyAnswer() {
    if (answers_.empty() || answers_.front().ready > Clock::now())
        return {};
    std::vector<int> data = std::move(answers_.front().data);
    answers_.pop_front();
    return data;
}

SimulatorAnswer CorvanInterfaceSim::frame(const std::vector<int>& data) {
    SimulatorAnswer answer{EncodeCorvanFrame(toggle_, data), {}};
    toggle_ = 1 - toggle_;
    return answer;
}

std::shared_ptr<CorvanInterfaceSim> MakeDefaultCorvanInterface(std::shared_ptr<Simulator> controller) {
    // Reports as the controller sends them when a pin changes its aspect: 0, 0, pin, aspect.
    for (const std::array<std::uint8_t, 4>& report :
         {std::array<std::uint8_t, 4>{0, 0, 1, 2}, std::array<std::uint8_t, 4>{0, 0, 1, 0}})
        controller->queueReport(report);
    return std::make_shared<CorvanInterfaceSim>(std::move(controller));
}

} // namespace vexa
