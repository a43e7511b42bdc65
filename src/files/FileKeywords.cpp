#include "files/FileKeywords.h"

#include "files/ConfigFileFormat.h"
#include "files/DeviceLibraryFormat.h"

#include <algorithm>
#include <array>

namespace vexa {

namespace {

using namespace configfile;

constexpr std::array<const char*, 19> Keywords{KeyIdString,
                                               KeyDcc,
                                               KeyAddressing,
                                               KeyEnforcedXAddress,
                                               KeyEnableMap,
                                               KeyHardware,
                                               KeyLed,
                                               KeySerialPort,
                                               KeyEventOn,
                                               KeyEventOnOld,
                                               KeyEventOff,
                                               KeyPin,
                                               KeyDevice,
                                               KeyConfig,
                                               KeyAddressCounts,
                                               KeyAspect,
                                               KeyStep,
                                               KeyEnd,
                                               devicelibrary::KeyAbsolutePin};

} // namespace

bool IsFileKeyword(std::string_view text) {
    return std::any_of(Keywords.begin(), Keywords.end(), [text](const char* keyword) { return text == keyword; });
}

std::string KeywordRefusal(const std::string& what, std::string_view keyword) {
    return what + " \"" + std::string(keyword) +
           "\" is a keyword of the data file and the device library: choose another";
}

} // namespace vexa
