#include "link/win/WinPortProvider.h"

#include "core/win/WideText.h"
#include "link/PortList.h"
#include "link/win/WinSerialPort.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <setupapi.h>

#include <algorithm>
#include <utility>

namespace vexa {

namespace {

// The device manager's class of serial and parallel ports.
const GUID PortsClass = {0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

// A text value of a registry key; "" when there is none.
std::wstring RegistryText(HKEY key, const wchar_t* name) {
    wchar_t value[256] = {};
    DWORD size = sizeof value - sizeof(wchar_t); // room for the end mark the value may lack
    DWORD type = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return value;
}

// A text property of a device of the device manager; "" when it has none.
std::string DeviceText(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    wchar_t value[256] = {};
    if (!::SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr, reinterpret_cast<BYTE*>(value),
                                             sizeof value - sizeof(wchar_t), nullptr))
        return {};
    return Utf8FromWide(value);
}

PortInfo* Find(std::vector<PortInfo>& ports, const std::string& name) {
    const auto found =
        std::find_if(ports.begin(), ports.end(), [&](const PortInfo& port) { return port.name == name; });
    return found == ports.end() ? nullptr : &*found;
}

// The names of the COM ports that the serial drivers have registered.
void AddRegisteredPorts(std::vector<PortInfo>& ports) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD nameLength = 256;
        wchar_t data[64] = {};
        DWORD dataSize = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        if (::RegEnumValueW(key, index, valueName, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                            &dataSize) != ERROR_SUCCESS)
            break;
        const std::string name = Utf8FromWide(data);
        if (type == REG_SZ && !name.empty() && !Find(ports, name))
            ports.push_back(PortInfo{name, {}, {}, false, {}});
    }
    ::RegCloseKey(key);
}

// What the device manager says about each COM port: its description, maker and whether it is
// an adapter on USB. A port it knows that is not registered yet is added.
void AddDeviceDescriptions(std::vector<PortInfo>& ports) {
    const HDEVINFO devices = ::SetupDiGetClassDevsW(&PortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        const HKEY key = ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE)
            continue;
        const std::string name = Utf8FromWide(RegistryText(key, L"PortName"));
        ::RegCloseKey(key);
        if (!IsSystemPortName(name)) // a printer port of the same class
            continue;
        PortInfo* port = Find(ports, name);
        if (!port) {
            ports.push_back(PortInfo{name, {}, {}, false, {}});
            port = &ports.back();
        }
        port->description = DeviceText(devices, device, SPDRP_DEVICEDESC);
        port->manufacturer = DeviceText(devices, device, SPDRP_MFG);
        const std::string bus = DeviceText(devices, device, SPDRP_ENUMERATOR_NAME);
        port->usb = bus == "USB" || bus == "FTDIBUS";
    }
    ::SetupDiDestroyDeviceInfoList(devices);
}

} // namespace

WinPortProvider::WinPortProvider(std::vector<NamedPortMaker> extraPorts) : SystemPortProvider(std::move(extraPorts)) {}

std::vector<PortInfo> WinPortProvider::systemPorts() {
    std::vector<PortInfo> ports;
    AddRegisteredPorts(ports);
    AddDeviceDescriptions(ports);
    return ports;
}

std::unique_ptr<SerialPort> WinPortProvider::makeSystemPort() {
    return std::make_unique<WinSerialPort>();
}

std::unique_ptr<PortProvider> MakeSystemPortProvider(std::vector<NamedPortMaker> extraPorts) {
    return std::make_unique<WinPortProvider>(std::move(extraPorts));
}

} // namespace vexa
