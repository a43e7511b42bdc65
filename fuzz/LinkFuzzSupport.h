// A session for fuzzing the link's receivers: its port hands out the fuzz input in chunks, one
// chunk after each burst of bytes the link writes (the far end answering), its clock moves a
// little on every look so that every wait ends, and every question is answered Yes.
#pragma once

#include "core/Session.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace vexa::fuzz {

class ChunkedPort : public SerialPort {
public:
    // Each chunk is a length byte followed by that many bytes (fewer at the end of the input).
    ChunkedPort(const std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size;) {
            const std::size_t length = data[i++];
            const std::size_t end = i + length < size ? i + length : size;
            chunks_.emplace_back(data + i, data + end);
            i = end;
        }
    }

    bool open(const std::string&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool setSettings(const std::string&) override { return true; }
    bool writeByte(std::uint8_t) override {
        wrote_ = true;
        return open_;
    }
    int bytesWaiting() override {
        release();
        return open_ ? static_cast<int>(waiting_.size()) : -1;
    }
    int readByte() override {
        release();
        if (!open_ || waiting_.empty())
            return -1;
        const int byte = waiting_.front();
        waiting_.pop_front();
        return byte;
    }
    bool waitReadable(int) override { return bytesWaiting() > 0; }
    std::string errorString() const override { return "closed"; }

    // Every chunk has been answered and read.
    bool drained() const { return chunks_.empty() && waiting_.empty(); }

    // The next chunk arrives at once, as when the port was opened with bytes waiting.
    void releaseNow() {
        wrote_ = true;
        release();
    }

private:
    void release() {
        if (!wrote_ || chunks_.empty())
            return;
        wrote_ = false;
        waiting_.insert(waiting_.end(), chunks_.front().begin(), chunks_.front().end());
        chunks_.pop_front();
    }

    bool open_ = false;
    bool wrote_ = false;
    std::deque<std::vector<std::uint8_t>> chunks_;
    std::deque<std::uint8_t> waiting_;
};

// The other seams of a fuzzed session in one: a clock that moves a little on every look, a
// prompter that answers Yes, and no ports to choose.
class FuzzSeams : public Clock, public Prompter, public PortProvider {
public:
    double steadySeconds() override { return now_ += 0.01; }
    void pauseMs(int ms) override { now_ += ms / 1000.0; }
    bool ask(MessageKind, const std::string&) override { return true; }
    std::vector<std::string> scanPorts() override { return {}; }
    std::unique_ptr<SerialPort> makePort(const std::string&) override { return nullptr; }

private:
    double now_ = 43200.0;
};

// A session whose open port is fed by the fuzz input.
struct FuzzBench {
    FuzzBench(const std::uint8_t* data, std::size_t size) {
        auto chunked = std::make_unique<ChunkedPort>(data, size);
        port = chunked.get();
        port->open("fuzz");
        session.port.port = std::move(chunked);
        session.port.name = "fuzz";
    }

    FuzzSeams seams;
    Session session{seams, seams, seams};
    ChunkedPort* port = nullptr;
};

} // namespace vexa::fuzz
