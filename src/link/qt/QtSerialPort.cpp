#include "link/qt/QtSerialPort.h"

#include "link/PortSettings.h"

#include <QThread>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <cstring>
#include <termios.h>
#endif

namespace vexa {

QtSerialPort::QtSerialPort() = default;

QtSerialPort::~QtSerialPort() {
    close();
}

void QtSerialPort::releaseThread() {
    if (port_.thread() == QThread::currentThread())
        port_.moveToThread(nullptr);
}

// A QObject without a thread may be pulled to the calling thread; one that another thread owns
// must be released there first.
void QtSerialPort::takeThread() {
    if (!port_.thread())
        port_.moveToThread(QThread::currentThread());
}

namespace {

// Puts the line into a known state before the settings are applied: raw bytes, 8 data bits,
// no parity bits of any kind, one stop bit, no flow control, the receiver on, modem lines
// ignored. A program that was killed may have left the device with other settings (odd parity,
// two stop bits ...). Each setting is then applied as a change from this state: a pseudo-
// terminal cannot hold parity, and a request that changes nothing but the parity is refused
// there ("Invalid argument"), while one that also sets the parity's odd/even choice is taken.
bool ResetLine(QSerialPort& port, std::string& error) {
#if defined(Q_OS_UNIX)
    const int fd = static_cast<int>(port.handle());
    termios line{};
    if (::tcgetattr(fd, &line) != 0) {
        error = std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&line);
    line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
    line.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    line.c_cflag |= CS8 | CREAD | CLOCAL;
    line.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | PARMRK);
    line.c_iflag |= IGNPAR;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &line) != 0) {
        error = std::strerror(errno);
        return false;
    }
#else
    (void)port;
    (void)error;
#endif
    return true;
}

} // namespace

bool QtSerialPort::open(const std::string& name) {
    close();
    port_.setPortName(QString::fromStdString(name));
    // Qt applies its remembered settings while it opens: start from plain ones, so that the
    // open itself asks for no parity.
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setDataBits(QSerialPort::Data8);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    accessDenied_ = false;
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = port_.errorString().toStdString();
        accessDenied_ = port_.error() == QSerialPort::PermissionError;
        return false;
    }
    if (!applySettings()) {
        port_.close();
        return false;
    }
    error_.clear();
    return true;
}

void QtSerialPort::close() {
    takeThread();
    if (port_.isOpen())
        port_.close();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen();
}

bool QtSerialPort::setSettings(const std::string& settings) {
    if (!ValidPortSettings(settings, error_))
        return false;
    settings_ = settings;
    takeThread();
    return !port_.isOpen() || applySettings();
}

bool QtSerialPort::applySettings() {
    PortSettings parsed;
    ParsePortSettings(settings_, parsed);
    if (!ResetLine(port_, error_))
        return false;
    const QSerialPort::Parity parity = parsed.parity == 'o'   ? QSerialPort::OddParity
                                       : parsed.parity == 'e' ? QSerialPort::EvenParity
                                       : parsed.parity == 'm' ? QSerialPort::MarkParity
                                       : parsed.parity == 's' ? QSerialPort::SpaceParity
                                                              : QSerialPort::NoParity;
    const bool ok = port_.setBaudRate(parsed.bitRate) && port_.setParity(parity) &&
                    port_.setDataBits(static_cast<QSerialPort::DataBits>(parsed.dataBits)) &&
                    port_.setStopBits(parsed.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
                    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok)
        error_ = port_.errorString().toStdString();
    return ok;
}

// A port whose device went away reports a resource error and must not be used again. A
// pseudo-terminal whose far end closed reports a read or write error instead, and every
// wait on it returns at once: that port is gone as well.
bool QtSerialPort::failed() const {
    const auto error = port_.error();
    return !port_.isOpen() || error == QSerialPort::ResourceError || error == QSerialPort::DeviceNotFoundError ||
           error == QSerialPort::PermissionError || error == QSerialPort::ReadError || error == QSerialPort::WriteError;
}

// Why failed() holds. After a read or write error Qt's own text is often that of an unrelated
// earlier system call, so those errors are named plainly.
std::string QtSerialPort::failureReason() const {
    if (!port_.isOpen())
        return "the port is closed";
    if (port_.error() == QSerialPort::ReadError || port_.error() == QSerialPort::WriteError)
        return "the device can no longer be read or written (it may have been unplugged)";
    return port_.errorString().toStdString();
}

bool QtSerialPort::writeByte(std::uint8_t byte) {
    takeThread();
    if (failed()) {
        error_ = failureReason();
        return false;
    }
    const char data = static_cast<char>(byte);
    if (port_.write(&data, 1) != 1) {
        error_ = port_.errorString().toStdString();
        return false;
    }
    // Hand the byte to the device at once: bytes go out one at a time, in frame order.
    while (port_.bytesToWrite() > 0)
        if (!port_.waitForBytesWritten(1000)) {
            error_ = port_.errorString().toStdString();
            return false;
        }
    return true;
}

int QtSerialPort::bytesWaiting() {
    takeThread();
    if (failed()) {
        error_ = failureReason();
        return -1;
    }
    return static_cast<int>(port_.bytesAvailable());
}

int QtSerialPort::readByte() {
    takeThread();
    char data = 0;
    if (failed() || port_.read(&data, 1) != 1)
        return -1;
    return static_cast<unsigned char>(data);
}

bool QtSerialPort::waitReadable(int timeoutMs) {
    takeThread();
    if (failed())
        return false;
    if (port_.bytesAvailable() > 0)
        return true;
    // waitForReadyRead blocks on the device; a time-out is not an error of the port.
    const bool ready = port_.waitForReadyRead(timeoutMs);
    if (!ready && port_.error() == QSerialPort::TimeoutError)
        port_.clearError();
    return ready || port_.bytesAvailable() > 0;
}

std::string QtSerialPort::errorString() const {
    return error_;
}

} // namespace vexa
