#include "link/PortList.h"

#include <algorithm>
#include <cctype>

namespace vexa {

namespace {

const char* const DescriptionSeparator = " \u2013 "; // an en dash between blanks

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t DigitRunEnd(const std::string& text, std::size_t from) {
    while (from < text.size() && IsDigit(text[from]))
        ++from;
    return from;
}

// Compares two runs of digits by value; leading zeros do not count.
int CompareNumbers(const std::string& a, std::size_t aBegin, std::size_t aEnd, const std::string& b, std::size_t bBegin,
                   std::size_t bEnd) {
    while (aBegin + 1 < aEnd && a[aBegin] == '0')
        ++aBegin;
    while (bBegin + 1 < bEnd && b[bBegin] == '0')
        ++bBegin;
    const std::size_t aLength = aEnd - aBegin;
    const std::size_t bLength = bEnd - bBegin;
    if (aLength != bLength)
        return aLength < bLength ? -1 : 1;
    return a.compare(aBegin, aLength, b, bBegin, bLength);
}

const char* const DevicePrefix = "\\\\.\\"; // \\.\ before a Windows device name

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// "COM" in any case followed by a port number.
bool IsComName(const std::string& name) {
    return name.size() > 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
           std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
           std::toupper(static_cast<unsigned char>(name[2])) == 'M' && DigitRunEnd(name, 3) == name.size();
}

// 0: USB adapters, 1: other ports of the system, 2: entries that the program adds.
int GroupOf(const PortInfo& port) {
    if (!IsSystemPortName(port.name))
        return 2;
    return port.usb ? 0 : 1;
}

} // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t aEnd = DigitRunEnd(a, i);
            const std::size_t bEnd = DigitRunEnd(b, j);
            const int order = CompareNumbers(a, i, aEnd, b, j, bEnd);
            if (order != 0)
                return order < 0;
            i = aEnd;
            j = bEnd;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return a.size() - i < b.size() - j;
    return a < b; // equal by value ("ttyS01", "ttyS1"): any fixed order
}

void SortPorts(std::vector<PortInfo>& ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        const int aGroup = GroupOf(a);
        const int bGroup = GroupOf(b);
        if (aGroup != bGroup)
            return aGroup < bGroup;
        if (aGroup == 2)
            return false; // keep the provider's order
        return NaturalLess(a.name, b.name);
    });
}

std::string PortDisplayText(const PortInfo& port) {
    std::string about = port.description;
    if (!port.manufacturer.empty() && about.find(port.manufacturer) == std::string::npos)
        about += about.empty() ? port.manufacturer : " (" + port.manufacturer + ")";
    return about.empty() ? port.name : port.name + DescriptionSeparator + about;
}

bool IsSystemPortName(const std::string& name) {
    return StartsWith(name, "/") || StartsWith(name, DevicePrefix) || IsComName(name);
}

std::string ComDevicePath(const std::string& name) {
    return IsComName(name) ? DevicePrefix + name : name;
}

std::string PortNameFromText(const std::string& text) {
    std::string name = text.substr(0, text.find(DescriptionSeparator));
    const auto notBlank = [](char c) { return !std::isspace(static_cast<unsigned char>(c)); };
    name.erase(name.begin(), std::find_if(name.begin(), name.end(), notBlank));
    name.erase(std::find_if(name.rbegin(), name.rend(), notBlank).base(), name.end());
    return name;
}

} // namespace vexa
