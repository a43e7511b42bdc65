#include "PinTransferFakeController.h"

namespace vexa::test {

FakePinController::FakePinController(TestBench& bench) {
    bench.port().onWrite = [this](ScriptedPort& port) { onByte(port); };
}

std::vector<std::vector<int>> FakePinController::requestsWithCode(int code) const {
    std::vector<std::vector<int>> found;
    for (const auto& request : requests)
        if (request.front() == code)
            found.push_back(request);
    return found;
}

void FakePinController::onByte(ScriptedPort& port) {
    const std::optional<ParsedFrame> frame = parser_.push(port.written.back());
    if (!frame || frame->data.empty())
        return;
    const std::vector<int> request(frame->data.begin(), frame->data.end());
    requests.push_back(request);
    std::vector<int> answer;
    if (!(override && override(request, answer)))
        answer = serve(request);
    if (!frame->bidirectional() || answer.empty())
        return;
    std::vector<std::uint8_t> bytes{frame->header, static_cast<std::uint8_t>(0xE0 + answer.size())};
    unsigned sum = frame->header + (bytes[1] & 127u);
    for (int value : answer) {
        bytes.push_back(static_cast<std::uint8_t>(128 + value));
        sum += static_cast<unsigned>(value);
    }
    bytes.push_back(static_cast<std::uint8_t>(128 + (128 - sum % 128) % 128));
    port.queue(bytes);
}

std::vector<int> FakePinController::serve(const std::vector<int>& request) {
    const int code = request[0];
    if (request.size() < 2 || request[1] > 31)
        return {code};
    const int p = request[1];
    Pin& pin = pins[static_cast<std::size_t>(p)];
    switch (code) {
    case 113: {
        std::vector<int> answer{113, p};
        answer.insert(answer.end(), pin.typeBlock.begin(), pin.typeBlock.end());
        return answer;
    }
    case 97:
        pin.typeBlock.assign(request.begin() + 2, request.end());
        return {97, p};
    case 114:
        return {114, p, pin.layout};
    case 115: {
        const auto& step = pin.steps[static_cast<std::size_t>(slot(pin.layout, request[2], request[3]))];
        return {115, p, request[2], request[3], step[0], step[1], step[2], step[3], step[4]};
    }
    case 116:
        return {116, p, pin.initialByte, 15, 31, 47, 63};
    case 118:
        return {118, p, pin.addressBytes[0], pin.addressBytes[1], pin.addressBytes[2]};
    case 98:
        pin.layout = request[2];
        return {98, p};
    case 99: {
        auto& step = pin.steps[static_cast<std::size_t>(slot(pin.layout, request[2], request[3]))];
        for (std::size_t i = 0; i < 5; ++i)
            step[i] = request[4 + i];
        return {99, p};
    }
    case 100:
        pin.initialByte = request[2];
        return {100, p};
    case 102:
        for (std::size_t i = 0; i < 3; ++i)
            pin.addressBytes[i] = request[2 + i];
        return {102, p};
    default:
        return {code, p};
    }
}

} // namespace vexa::test
