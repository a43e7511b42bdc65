#pragma once

#include "core/SerialPort.h"

#include <cstdint>
#include <string>

namespace vexa {

// A COM port through the Win32 communications API. The port is read through a buffer of its
// own: a wait blocks in the system until a byte arrives or the time is over (no polling), and
// what arrives is kept for the next reads.
class WinSerialPort : public SerialPort {
public:
    WinSerialPort();
    ~WinSerialPort() override;
    WinSerialPort(const WinSerialPort&) = delete;
    WinSerialPort& operator=(const WinSerialPort&) = delete;

    // Takes "COM3", "COM12" or "\\.\COM12".
    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    bool setSettings(const std::string& settings) override;
    bool writeByte(std::uint8_t byte) override;
    int bytesWaiting() override;
    int readByte() override;
    bool waitReadable(int timeoutMs) override;
    std::string errorString() const override;

private:
    bool applySettings();
    // Sets the read time-outs for reads that wait up to waitMs for their first byte (0: none).
    bool setReadWait(unsigned long waitMs);
    // Reads what the system holds into the buffer; with waitMs > 0 and nothing held, first
    // waits up to waitMs for a byte. False when the port failed.
    bool fill(unsigned long waitMs);
    // Bytes the system holds for reading; -1 when the port failed.
    long systemWaiting();
    // Records why the port stopped working; every later operation fails.
    void fail(const std::string& what, unsigned long code);

    void* handle_;
    std::string settings_ = "19200,o,8,1";
    std::string buffer_; // bytes read from the system and not yet taken
    std::size_t taken_ = 0;
    unsigned long readWaitMs_ = 0; // the wait the read time-outs are set for
    bool failed_ = false;
    std::string error_;
};

} // namespace vexa
