#include "ControllerScript.h"

namespace vexa::test {

std::vector<std::uint8_t> AnswerFrame(int header, const std::vector<int>& data, int xAddress) {
    const bool withX = xAddress >= 0;
    std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(header),
                                    static_cast<std::uint8_t>(128 + 96 + (withX ? 16 : 0) + data.size())};
    if (withX)
        frame.push_back(static_cast<std::uint8_t>(128 + xAddress));
    for (int value : data)
        frame.push_back(static_cast<std::uint8_t>(128 + value));
    unsigned sum = frame[0];
    for (std::size_t i = 1; i < frame.size(); ++i)
        sum += frame[i] & 127u;
    frame.push_back(static_cast<std::uint8_t>(128 + ((128 - sum % 128) % 128)));
    return frame;
}

ScriptedController::ScriptedController(ScriptedPort& port, Reply replyToRequest) : reply_(std::move(replyToRequest)) {
    port.onWrite = [this](ScriptedPort& written) { onByteWritten(written); };
}

void ScriptedController::onByteWritten(ScriptedPort& port) {
    const auto& bytes = port.written;
    if (bytes.back() < 128)
        frameStart_ = bytes.size() - 1;
    if (bytes.size() - frameStart_ < 3 || bytes[frameStart_] >= 128)
        return;
    const std::uint8_t control = bytes[frameStart_ + 1];
    const std::size_t xBytes = (control & 16) ? 1 : 0;
    const std::size_t length = 2 + xBytes + (control & 15u) + 1;
    if (bytes.size() - frameStart_ != length)
        return;
    unsigned sum = 0;
    for (std::size_t i = frameStart_; i < bytes.size(); ++i)
        sum += bytes[i];
    if (sum % 128 != 0)
        return;
    std::vector<int> data;
    for (std::size_t i = frameStart_ + 2 + xBytes; i + 1 < bytes.size(); ++i)
        data.push_back(bytes[i] & 127);
    const int header = bytes[frameStart_];
    headers.push_back(header);
    requests.push_back(data);
    if ((control & 32) == 0)
        return;
    if (auto answer = reply_(data))
        port.queue(AnswerFrame(header, *answer, answerXAddress));
}

} // namespace vexa::test
