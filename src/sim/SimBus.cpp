#include "sim/SimBus.h"

#include "core/Platform.h"
#include "sim/Simulator.h"

#include <filesystem>

namespace vexa {

bool SimBus::add(int address, std::shared_ptr<Simulator> controller) {
    if (!controller || address < 0 || address > HighestTunnelModuleAddress || controllers_.count(address) != 0)
        return false;
    if (address <= HighestDirectModuleAddress)
        controller->setModuleAddress(address);
    controllers_.emplace(address, std::move(controller));
    return true;
}

std::shared_ptr<Simulator> SimBus::at(int address) const {
    const auto found = controllers_.find(address);
    return found == controllers_.end() ? nullptr : found->second;
}

std::optional<SimulatorAnswer> SimBus::receive(std::uint8_t byte) {
    ++requestBytes_;
    std::optional<SimulatorAnswer> answer;
    for (const auto& [address, controller] : controllers_) {
        if (address > HighestDirectModuleAddress)
            continue;
        // Each controller hears the byte; only the addressed one can answer.
        if (auto reply = controller->receive(byte); reply && !answer)
            answer = std::move(reply);
    }
    return answer;
}

std::chrono::nanoseconds SimBus::byteTime() const {
    return controllers_.empty() ? std::chrono::nanoseconds(0) : controllers_.begin()->second->byteTime();
}

void SimBus::setPacing(int bitRate) {
    for (const auto& entry : controllers_)
        entry.second->setPacing(bitRate);
}

std::uint64_t SimBus::answerBytes() const {
    std::uint64_t bytes = 0;
    for (const auto& entry : controllers_)
        bytes += entry.second->answerBytes();
    return bytes;
}

void SimBus::resetByteCounts() {
    requestBytes_ = 0;
    for (const auto& entry : controllers_)
        entry.second->resetByteCounts();
}

std::string SimBusStateFile(const std::string& folder, int address) {
    return Utf8FromPath(PathFromUtf8(folder) / ("module-" + std::to_string(address) + ".txt"));
}

bool LoadSimulatorStateIfPresent(Simulator& simulator, const std::string& path, std::string& error) {
    std::error_code ignored;
    return path.empty() || !std::filesystem::exists(PathFromUtf8(path), ignored) || simulator.load(path, error);
}

bool LoadSimBusState(SimBus& bus, const std::string& folder, std::string& error) {
    for (const auto& [address, controller] : bus.controllers())
        if (!LoadSimulatorStateIfPresent(*controller, SimBusStateFile(folder, address), error))
            return false;
    return true;
}

bool SaveSimBusState(const SimBus& bus, const std::string& folder, std::string& error) {
    std::error_code failed;
    std::filesystem::create_directories(PathFromUtf8(folder), failed);
    if (failed) {
        error = "cannot create the state folder " + folder + ": " + failed.message();
        return false;
    }
    for (const auto& [address, controller] : bus.controllers())
        if (!controller->save(SimBusStateFile(folder, address), error))
            return false;
    return true;
}

} // namespace vexa
