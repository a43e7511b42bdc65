#pragma once

#include "core/SerialPort.h"

#include <QSerialPort>

namespace vexa {

// A real serial port through QSerialPort, used without an event loop: every wait blocks
// on the device with a deadline. The QSerialPort belongs to one thread at a time: the thread
// that uses it takes it over once the last one released it.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    bool setSettings(const std::string& settings) override;
    bool writeByte(std::uint8_t byte) override;
    int bytesWaiting() override;
    int readByte() override;
    bool waitReadable(int timeoutMs) override;
    std::string errorString() const override;
    bool accessDenied() const override { return accessDenied_; }
    void releaseThread() override;

private:
    void takeThread();
    bool applySettings();
    bool failed() const;
    std::string failureReason() const;

    QSerialPort port_;
    std::string settings_ = "19200,o,8,1";
    std::string error_;
    bool accessDenied_ = false;
};

} // namespace vexa
