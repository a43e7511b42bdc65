#include "link/RequestTable.h"

namespace vexa {

namespace {

constexpr int Varies = 0;
using Kind = RequestKind;
using Part = HeldPart;

const RequestRow EmptyRequestRow{-1, Kind::Command, "nothing (it synchronises the link)", 0, Varies, 0, 0, {}};

} // namespace

const std::vector<RequestRow>& RequestTable() {
    // code, kind, concerns, request size, answer size, echo bytes, key bytes, held part
    static const std::vector<RequestRow> table{
        {LiveRequestCode, Kind::Command, "a live command", 4, Varies, 0, 0, {}},
        {WriteActiveTypeCode, Kind::Command, "the active type block of a pin", Varies, Varies, 0, 0, {}},
        {ReadActiveTypeCode, Kind::Read, "the active type block of a pin", 2, Varies, 2, 2, {}},
        {WriteSettingCode, Kind::Write, "a module setting", Varies, Varies, 0, 2, Part::Setting},
        {WriteTypeBlockCode, Kind::Write, "the type block of a pin", Varies, Varies, 0, 2, Part::TypeBlock},
        {WriteLayoutCode, Kind::Write, "the aspect layout of a pin", 3, Varies, 0, 2, Part::Layout},
        {WriteStepCode, Kind::Write, "a step of an aspect", 9, Varies, 0, 4, Part::Step},
        {WriteInitialOrOnCode, Kind::Write, "the initial aspect of a pin", 3, Varies, 0, 2, Part::InitialAspect},
        {WriteInitialOrOnCode, Kind::Write, "the Event-On slots of a pin", 6, Varies, 0, 2, Part::EventOn},
        {WriteEventOffCode, Kind::Write, "the Event-Off slots of a pin", 6, Varies, 0, 2, Part::EventOff},
        {WriteAddressConfigCode, Kind::Write, "the address configuration of a pin", 5, Varies, 0, 2,
         Part::AddressConfig},
        {ReadSettingCode, Kind::Read, "a module setting", 2, Varies, 2, 2, Part::Setting},
        {ReadTypeBlockCode, Kind::Read, "the type block of a pin", 2, Varies, 2, 2, Part::TypeBlock},
        {ReadLayoutCode, Kind::Read, "the aspect layout of a pin", 2, 3, 2, 2, Part::Layout},
        {ReadStepCode, Kind::Read, "a step of an aspect", 4, 9, 4, 4, Part::Step},
        {ReadInitialAndOnCode, Kind::Read, "the initial aspect and Event-On slots of a pin", 2, 7, 2, 2, Part::EventOn},
        {ReadEventOffCode, Kind::Read, "the Event-Off slots of a pin", 2, 6, 2, 2, Part::EventOff},
        {ReadAddressConfigCode, Kind::Read, "the address configuration of a pin", 2, 5, 2, 2, Part::AddressConfig},
    };
    return table;
}

const RequestRow* FindRequestRow(const std::vector<int>& request) {
    if (request.empty())
        return &EmptyRequestRow;
    const int size = static_cast<int>(request.size());
    for (const RequestRow& row : RequestTable())
        if (row.code == request[0] && (row.requestSize == Varies ? size >= 2 : row.requestSize == size))
            return &row;
    return nullptr;
}

bool AnswerOf(const LinkState& link, const std::vector<int>& request) {
    const RequestRow* row = FindRequestRow(request);
    if (!row || (row->answerSize != Varies && link.answerSize() != row->answerSize))
        return false;
    for (int i = 0; i < row->echoBytes; ++i)
        if (link.answerData(i) != request[static_cast<std::size_t>(i)])
            return false;
    return true;
}

std::optional<int> SettingAnswerSize(int setting) {
    switch (setting) {
    case 2: // eXtended address
    case 5: // DCC options
    case 6: // green LED
    case 7: // orange LED
        return 3;
    case 4: // DCC address
    case 8: // serial addressing
    case EnableMapSetting:
    case 12: // eXtended DCC address
    case 13: // serial port
        return 4;
    case VersionSetting:
    case 1: // hardware
    case 3: // group mask
        return 6;
    default:
        return std::nullopt;
    }
}

} // namespace vexa
