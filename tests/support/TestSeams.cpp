#include "TestSeams.h"

namespace vexa::test {

bool RecordingPrompter::ask(MessageKind kind, const std::string& text) {
    messages.push_back({kind, text});
    if (whileShown)
        whileShown();
    if (answers.empty())
        return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::vector<std::string> RecordingPrompter::texts() const {
    std::vector<std::string> result;
    for (const Message& message : messages)
        result.push_back(message.text);
    return result;
}

bool ScriptedPort::open(const std::string&) {
    if (failOpen || vanished)
        return false;
    open_ = true;
    return true;
}

bool ScriptedPort::writeByte(std::uint8_t byte) {
    if (vanished) {
        error = "No such device";
        return false;
    }
    written.push_back(byte);
    if (onWrite)
        onWrite(*this);
    input.insert(input.end(), pending.begin(), pending.end());
    pending.clear();
    return true;
}

int ScriptedPort::bytesWaiting() {
    if (vanished) {
        error = "No such device";
        return -1;
    }
    return static_cast<int>(input.size());
}

int ScriptedPort::readByte() {
    if (vanished || input.empty())
        return -1;
    const int byte = input.front();
    input.pop_front();
    return byte;
}

bool ScriptedPort::waitReadable(int timeoutMs) {
    if (!input.empty())
        return true;
    if (clock_)
        clock_->advance(timeoutMs / 1000.0);
    return false;
}

std::unique_ptr<SerialPort> ScriptedPortProvider::makePort(const std::string& name) {
    if (factory)
        return factory(name);
    return std::make_unique<ScriptedPort>();
}

std::string ScriptedFileDialogs::openFileName(const std::string& filter) {
    filters.push_back(filter);
    if (names.empty())
        return {};
    std::string name = names.front();
    names.pop_front();
    return name;
}

std::string ScriptedFileDialogs::saveFileName(const std::string& filter) {
    return openFileName(filter);
}

std::string ScriptedFileDialogs::folderName(const std::string& caption) {
    return openFileName(caption);
}

TestBench::TestBench() {
    auto port = std::make_unique<ScriptedPort>(&clock);
    portPtr = port.get();
    port->open("test");
    session.port.port = std::move(port);
    session.port.name = "test";
}

} // namespace vexa::test
