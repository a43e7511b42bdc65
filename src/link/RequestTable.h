#pragma once

#include "core/ControllerCopy.h"
#include "core/LinkState.h"

#include <optional>
#include <vector>

namespace vexa {

// Every request the tool sends to a controller, in one table: its code, whether it reads,
// writes or commands, what it concerns, how long it is, how long its answer is, how many of its
// bytes the answer echoes, and the part of the controller's copy it fills. The operations take
// their codes from here, the held copy and the answer matcher read its rows, and the
// verifications check answer sizes against it. Adding a request is adding one row (and a code).

enum RequestCode : int {
    LiveRequestCode = 0,          // 0, operation, target, value: a live command (aspect, level, servo)
    WriteActiveTypeCode = 65,     // pin, type block: the active type block (not kept)
    ReadActiveTypeCode = 81,      // pin: the active type block
    WriteSettingCode = 96,        // setting, values (setting 0: erase, with its confirmation bytes)
    WriteTypeBlockCode = 97,      // pin, type block kept in flash
    WriteLayoutCode = 98,         // pin, aspect layout
    WriteStepCode = 99,           // pin, aspect, step, five step bytes
    WriteInitialOrOnCode = 100,   // pin, initial aspect (3 bytes) or pin, four Event-On slots (6 bytes)
    WriteEventOffCode = 101,      // pin, four Event-Off slots
    WriteAddressConfigCode = 102, // pin, three address-configuration bytes
    ReadSettingCode = 112,        // setting
    ReadTypeBlockCode = 113,      // pin
    ReadLayoutCode = 114,         // pin
    ReadStepCode = 115,           // pin, aspect, step
    ReadInitialAndOnCode = 116,   // pin: the initial aspect and the four Event-On slots
    ReadEventOffCode = 117,       // pin
    ReadAddressConfigCode = 118,  // pin
};

// A read code is its write code plus this.
constexpr int ReadCodeStep = 16;
// A type block's code for the block kept in flash is the active block's plus this.
constexpr int TypeSettingStep = 32;

constexpr int VersionSetting = 0; // read: the firmware version; written with its bytes: erase
constexpr int IdStringSetting = 10;
constexpr int EnableMapSetting = 11;

enum class RequestKind : std::uint8_t {
    Read,    // asks for values; repeating it changes nothing
    Write,   // stores values in the controller
    Command, // acts at once (live commands, the active type block, erase); stores no configuration
};

struct RequestRow {
    int code;
    RequestKind kind;
    const char* concerns;         // what it reads or writes, for messages and the table's readers
    int requestSize;              // bytes of the request, code included; 0 when it varies
    int answerSize;               // data bytes of the answer (echo included); 0 when it varies or none is given
    int echoBytes;                // leading request bytes the answer echoes; 0 when none
    int keyBytes;                 // leading request bytes that name the part (code included)
    std::optional<HeldPart> held; // the part of the copy it stores or tells; none for commands
};

const std::vector<RequestRow>& RequestTable();

// The row of a request by its code and length; null when the table lacks it (a request of a
// code and length no operation sends). The empty request that synchronises the link has a row
// of its own (code -1).
const RequestRow* FindRequestRow(const std::vector<int>& request);

// Whether the answer in the link is the answer of this read as the table gives it: the row's
// answer size (where it is fixed) and the echo of the request's leading bytes.
bool AnswerOf(const LinkState& link, const std::vector<int>& request);

// Data bytes of the answer to 112, s (echo included), as the controller gives it for each
// setting it keeps; nullopt for the identity string, whose length varies, and for settings it
// does not keep.
std::optional<int> SettingAnswerSize(int setting);

} // namespace vexa
