#include "link/win/WinSerialPort.h"

#include "core/Platform.h"
#include "core/win/WideText.h"
#include "link/PortList.h"
#include "link/PortSettings.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace vexa {

namespace {

// Longest time one byte may take to leave; the line has no flow control, so only a driver
// that stopped working takes longer.
constexpr DWORD WriteTimeoutMs = 1000;
constexpr DWORD ReadChunk = 256;

HANDLE Handle(void* handle) {
    return static_cast<HANDLE>(handle);
}

BYTE ParityOf(char letter) {
    switch (letter) {
    case 'o':
        return ODDPARITY;
    case 'e':
        return EVENPARITY;
    case 'm':
        return MARKPARITY;
    case 's':
        return SPACEPARITY;
    default:
        return NOPARITY;
    }
}

std::string OpenFailureText(DWORD code) {
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
        return "there is no such port";
    if (code == ERROR_ACCESS_DENIED) // a COM port is open to one program at a time
        return "another program holds the port";
    return SystemErrorText(code);
}

} // namespace

WinSerialPort::WinSerialPort() : handle_(INVALID_HANDLE_VALUE) {}

WinSerialPort::~WinSerialPort() {
    close();
}

bool WinSerialPort::open(const std::string& name) {
    close();
    const std::filesystem::path device = PathFromUtf8(ComDevicePath(name));
    const HANDLE handle =
        ::CreateFileW(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error_ = OpenFailureText(::GetLastError());
        return false;
    }
    handle_ = handle;
    failed_ = false;
    readWaitMs_ = ~0ul; // unknown until set
    if (!applySettings() || !setReadWait(0)) {
        const std::string reason = error_;
        close();
        error_ = reason;
        return false;
    }
    // What came in before the port was ours belongs to nobody.
    ::PurgeComm(handle, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    buffer_.clear();
    taken_ = 0;
    error_.clear();
    return true;
}

void WinSerialPort::close() {
    if (handle_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(Handle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
    buffer_.clear();
    taken_ = 0;
}

bool WinSerialPort::isOpen() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

bool WinSerialPort::setSettings(const std::string& settings) {
    if (!ValidPortSettings(settings, error_))
        return false;
    settings_ = settings;
    return !isOpen() || applySettings();
}

bool WinSerialPort::applySettings() {
    PortSettings parsed;
    ParsePortSettings(settings_, parsed);
    DCB line{};
    line.DCBlength = sizeof line;
    if (!::GetCommState(Handle(handle_), &line)) {
        error_ = SystemErrorText(::GetLastError());
        return false;
    }
    line.BaudRate = static_cast<DWORD>(parsed.bitRate);
    line.ByteSize = static_cast<BYTE>(parsed.dataBits);
    line.Parity = ParityOf(parsed.parity);
    line.StopBits = parsed.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    line.fBinary = TRUE;
    line.fParity = parsed.parity != 'n';
    // No flow control of either kind; DTR and RTS on, as adapters that power the line expect.
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fRtsControl = RTS_CONTROL_ENABLE;
    line.fDsrSensitivity = FALSE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    line.fErrorChar = FALSE;
    line.fNull = FALSE;
    line.fAbortOnError = FALSE; // a parity error must not stop every later read
    if (!::SetCommState(Handle(handle_), &line)) {
        error_ = "the port does not take the settings " + settings_ + ": " + SystemErrorText(::GetLastError());
        return false;
    }
    return true;
}

void WinSerialPort::fail(const std::string& what, unsigned long code) {
    failed_ = true;
    error_ = "the device can no longer be " + what + " (it may have been unplugged): " + SystemErrorText(code);
}

long WinSerialPort::systemWaiting() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(Handle(handle_), &errors, &status)) {
        fail("read", ::GetLastError());
        return -1;
    }
    return static_cast<long>(status.cbInQue);
}

bool WinSerialPort::setReadWait(unsigned long waitMs) {
    if (waitMs == readWaitMs_)
        return true;
    // With both read time-outs at their largest value and a total time, a read returns at once
    // with what is there, or waits for the first byte up to that time; with no total time it
    // returns at once in any case.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs > 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    timeouts.WriteTotalTimeoutConstant = WriteTimeoutMs;
    if (!::SetCommTimeouts(Handle(handle_), &timeouts)) {
        fail("read", ::GetLastError());
        return false;
    }
    readWaitMs_ = waitMs;
    return true;
}

bool WinSerialPort::fill(unsigned long waitMs) {
    if (taken_ == buffer_.size()) {
        buffer_.clear();
        taken_ = 0;
    }
    if (!setReadWait(waitMs))
        return false;
    char chunk[ReadChunk];
    DWORD got = 0;
    if (!::ReadFile(Handle(handle_), chunk, ReadChunk, &got, nullptr)) {
        fail("read", ::GetLastError());
        return false;
    }
    buffer_.append(chunk, got);
    return true;
}

bool WinSerialPort::writeByte(std::uint8_t byte) {
    if (!isOpen() || failed_) {
        if (!isOpen())
            error_ = "the port is closed";
        return false;
    }
    const char data = static_cast<char>(byte);
    DWORD written = 0;
    if (!::WriteFile(Handle(handle_), &data, 1, &written, nullptr)) {
        fail("written", ::GetLastError());
        return false;
    }
    if (written != 1) {
        failed_ = true;
        error_ = "the device did not take the byte within " + std::to_string(WriteTimeoutMs) + " ms";
        return false;
    }
    return true;
}

int WinSerialPort::bytesWaiting() {
    if (!isOpen() || failed_) {
        if (!isOpen())
            error_ = "the port is closed";
        return -1;
    }
    const long held = systemWaiting();
    if (held < 0)
        return -1;
    return static_cast<int>(buffer_.size() - taken_) + static_cast<int>(held);
}

int WinSerialPort::readByte() {
    if (!isOpen() || failed_)
        return -1;
    if (taken_ == buffer_.size() && !fill(0))
        return -1;
    if (taken_ == buffer_.size())
        return -1;
    return static_cast<unsigned char>(buffer_[taken_++]);
}

bool WinSerialPort::waitReadable(int timeoutMs) {
    if (!isOpen() || failed_)
        return false;
    if (taken_ < buffer_.size())
        return true;
    const long held = systemWaiting();
    if (held != 0)
        return held > 0;
    if (timeoutMs <= 0 || !fill(static_cast<unsigned long>(timeoutMs)))
        return false;
    return taken_ < buffer_.size();
}

std::string WinSerialPort::errorString() const {
    return error_;
}

} // namespace vexa
