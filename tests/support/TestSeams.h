#pragma once

#include "core/Clock.h"
#include "core/FileDialogs.h"
#include "core/Prompter.h"
#include "core/SerialPort.h"
#include "core/Session.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexa::test {

// Records every message and answers with scripted answers (default: OK / Yes).
class RecordingPrompter : public Prompter {
public:
    struct Message {
        MessageKind kind;
        std::string text;
    };
    bool ask(MessageKind kind, const std::string& text) override;

    std::vector<Message> messages;
    std::deque<bool> answers; // taken in order; when empty, defaultAnswer
    bool defaultAnswer = true;
    // Runs while a message is "on screen", as a message box's own event loop would.
    std::function<void()> whileShown;

    std::vector<std::string> texts() const;
    std::string last() const { return messages.empty() ? std::string() : messages.back().text; }
};

// A clock that moves only when told to, or when something waits or pauses on it.
class FakeClock : public Clock {
public:
    double steadySeconds() override { return now; }
    void pauseMs(int ms) override {
        pauses.push_back(ms);
        advance(ms / 1000.0);
    }
    void advance(double seconds) { now += seconds; }

    double now = 1000.0; // any reading: only differences count
    std::vector<int> pauses;
};

// A port fed by a script: bytes written are recorded, and a responder may queue bytes to be
// read in answer. Waiting on it advances the fake clock by the wait when nothing is queued.
class ScriptedPort : public SerialPort {
public:
    explicit ScriptedPort(FakeClock* clock = nullptr) : clock_(clock) {}

    bool open(const std::string& name) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool setSettings(const std::string& text) override {
        settings = text;
        return true;
    }
    bool writeByte(std::uint8_t byte) override;
    int bytesWaiting() override;
    int readByte() override;
    bool waitReadable(int timeoutMs) override;
    std::string errorString() const override { return error; }

    // Bytes the far end sends in answer: they arrive once the next byte has been written.
    void queue(const std::vector<std::uint8_t>& bytes) { pending.insert(pending.end(), bytes.begin(), bytes.end()); }
    // Bytes that are already on the line, before anything more is written.
    void arrive(const std::vector<std::uint8_t>& bytes) { input.insert(input.end(), bytes.begin(), bytes.end()); }

    std::vector<std::uint8_t> written;
    std::deque<std::uint8_t> input;
    std::deque<std::uint8_t> pending; // queued answers, not yet arrived
    std::string settings;
    std::string error;
    bool failOpen = false; // open() fails with `error`
    bool vanished = false; // the device disappeared: every operation fails
    // Called after every byte written, with all bytes written so far.
    std::function<void(ScriptedPort&)> onWrite;

private:
    FakeClock* clock_;
    bool open_ = false;
};

// Hands out ScriptedPorts (or any port the test sets up) by name.
class ScriptedPortProvider : public PortProvider {
public:
    std::vector<std::string> scanPorts() override { return names; }
    std::unique_ptr<SerialPort> makePort(const std::string& name) override;

    std::vector<std::string> names{"Simulator"};
    std::function<std::unique_ptr<SerialPort>(const std::string&)> factory;
};

// Empty file dialogs answer with scripted names.
class ScriptedFileDialogs : public FileDialogs {
public:
    std::string openFileName(const std::string& filter) override;
    std::string saveFileName(const std::string& filter) override;
    // Takes the next scripted name too; the caption is recorded in `filters`.
    std::string folderName(const std::string& caption) override;

    std::deque<std::string> names;
    std::vector<std::string> filters;
};

// A session with fake seams, and a scripted port already chosen and open.
struct TestBench {
    TestBench();

    ScriptedPort& port() { return *portPtr; }

    RecordingPrompter prompter;
    FakeClock clock;
    ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    ScriptedPort* portPtr = nullptr;
};

} // namespace vexa::test
