#include "model/TextEncoding.h"

namespace vexa {

namespace {

constexpr unsigned LastLatin1 = 0xFF;

// Length of the UTF-8 sequence that starts with `lead`, or 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

std::string Utf8FromLatin1(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

bool NextUtf8Character(std::string_view utf8, std::size_t& position, char32_t& character) {
    if (position >= utf8.size())
        return false;
    const std::size_t length = SequenceLength(static_cast<unsigned char>(utf8[position]));
    if (length == 0 || position + length > utf8.size())
        return false;
    const auto lead = static_cast<unsigned char>(utf8[position]);
    char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[position + k]);
        if ((next & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (next & 0x3F);
    }
    // An overlong form (a character in more bytes than it needs) is no valid UTF-8.
    static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < Smallest[length])
        return false;
    character = code;
    position += length;
    return true;
}

bool Latin1FromUtf8(std::string_view utf8, std::string& latin1, std::string& refused) {
    latin1.clear();
    refused.clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        char32_t code = 0;
        if (!NextUtf8Character(utf8, i, code)) {
            latin1.clear();
            return false;
        }
        if (code > LastLatin1) {
            refused.assign(utf8.substr(start, i - start));
            latin1.clear();
            return false;
        }
        latin1 += static_cast<char>(code);
    }
    return true;
}

} // namespace vexa
