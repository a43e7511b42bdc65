#include "module/Identity.h"

#include "link/Exchange.h"
#include "model/TextEncoding.h"
#include "module/SettingRequests.h"

namespace vexa {

namespace {

constexpr const char* SevenBitText = "The ID string can only hold 7-bit ASCII characters.";

// A data byte carries 7 bits: other characters would arrive as different ones. What lies beyond
// the 12 characters written does not count.
bool WrittenPartFits(const std::string& text) {
    return IsSevenBitAscii(text.substr(0, IdStringMaxLength));
}

bool IsControlCharacter(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

// The character as a line of a report shows it: a double quote and a backslash as \" and \\,
// a control character as \xNN, any other as it is.
std::string EscapedCharacter(char c) {
    static const char* const digits = "0123456789ABCDEF";
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
        return {'\\', c};
    if (IsControlCharacter(c))
        return {'\\', 'x', digits[code >> 4], digits[code & 15]};
    return {c};
}

} // namespace

bool IsSevenBitAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 128)
            return false;
    return true;
}

std::string IdStringProblem(const std::string& text) {
    // A data byte carries 7 bits: other characters would arrive as different ones.
    if (!IsSevenBitAscii(text))
        return "The ID string can only hold 7-bit ASCII characters.";
    if (text.find(IdStringRefusedCharacter) != std::string::npos)
        return std::string("The ID string cannot hold the character ") + IdStringRefusedCharacter +
               ": a data file would store it as ' and no longer compare with the controller.";
    // A data file keeps each text on one line: a line break there becomes a blank.
    if (const auto lineBreak = text.find_first_of("\r\n"); lineBreak != std::string::npos)
        return "The ID string cannot hold the control character " + EscapedCharacter(text[lineBreak]) +
               ": a data file would store it as a blank and no longer compare with the controller.";
    return {};
}

std::string QuotedIdString(const std::string& idString) {
    std::string text;
    for (char c : idString)
        text += EscapedCharacter(c);
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "\"" + std::string.
    std::string quoted = "\"";
    quoted += Utf8FromLatin1(text);
    quoted += '"';
    return quoted;
}

bool ReadVersion(Session& session) {
    LinkState& link = session.link;
    session.versionText = "Unknown";
    link.bidirectional = true;
    SendVexaMessage(session, true, {ReadSettingCode, VersionSetting});
    if (!link.answerValid)
        return false;
    if (!AnswerSized(link, ModuleSetting::Version)) {
        session.tell("GetVersion: No valid response, size <> 6");
        return false;
    }
    if (link.answerData(0) != ReadSettingCode || link.answerData(1) != VersionSetting) {
        session.tell("GetVersion: No valid response");
        return false;
    }
    session.versionText = std::to_string(link.answerData(2)) + "." + std::to_string(link.answerData(3)) + "." +
                          std::to_string(link.answerData(4)) + "." + std::to_string(link.answerData(5));
    return true;
}

bool ReadIdString(Session& session) {
    LinkState& link = session.link;
    link.bidirectional = true;
    SendVexaMessage(session, true, {ReadSettingCode, IdStringSetting});
    if (!link.answerValid)
        return false;
    const int size = link.answerSize();
    if (size <= 1 || link.answerData(0) != ReadSettingCode || link.answerData(1) != IdStringSetting) {
        session.tell("No valid response");
        return false;
    }
    std::string text;
    for (int i = 2; i < size; ++i)
        text += static_cast<char>(link.answerData(i));
    session.image.module.idString = text;
    return true;
}

std::string IdStringCutText(const std::string& written) {
    return "ID string cut to " + std::to_string(IdStringMaxLength) + " characters: " + written;
}

std::string IdStringProblem(const ModuleSettings& module) {
    const std::string& text = module.idString;
    if (!WrittenPartFits(text))
        return SevenBitText;
    if (text.size() > IdStringMaxLength)
        return "The ID string has " + std::to_string(text.size()) + " characters: only its first " +
               std::to_string(IdStringMaxLength) + " are written";
    return {};
}

bool WriteIdString(Session& session) {
    std::string& text = session.image.module.idString;
    if (const std::string problem = IdStringProblem(text); !problem.empty()) {
        session.tell(problem);
        return false;
    }
    if (text.size() > IdStringMaxLength) {
        text.resize(IdStringMaxLength);
        session.progress->note(IdStringCutText(text));
    }
    std::vector<int> data{WriteSettingCode, IdStringSetting};
    for (char c : text)
        data.push_back(static_cast<unsigned char>(c));
    return SendVexaMessage(session, false, data);
}

} // namespace vexa
