#include "engine/group_pairs.h"

#include <cstring>

namespace vernolak {
namespace {

// The text as the number and keyword rules see it: up to its first NUL byte.
std::string_view UpToNul(std::string_view text) {
    const void* nul = std::memchr(text.data(), '\0', text.size());
    return nul == nullptr ? text : text.substr(0, static_cast<const char*>(nul) - text.data());
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::int32_t AsSigned(std::uint32_t v) { return static_cast<std::int32_t>(v); }

ParsedInteger ParseDecimalDigits(std::string_view text, std::size_t i, bool negative) {
    std::uint32_t v = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]) || v > 214748364u) return {AsSigned(v), false};
        v = v * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    // v is at most 2147483649 here; out of range it wraps to a value whose
    // magnitude is far from every group code the converter acts on.
    const bool inRange = negative ? v <= 2147483648u : v <= 2147483647u;
    return {AsSigned(negative ? 0u - v : v), inRange};
}

ParsedInteger ParseHexadecimalDigits(std::string_view text, std::size_t i) {
    if (i == text.size()) return {0, false};
    std::uint32_t v = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0 || v > 0x0FFFFFFFu) return {AsSigned(v), false};
        v = v * 16 + static_cast<std::uint32_t>(digit);
    }
    return {AsSigned(v), true};
}

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void ReadGroupPair(DxfInput& input, std::string& CodeLine, std::string& ValueLine) {
    ReadInputLine(input, CodeLine);
    ReadInputLine(input, ValueLine);
}

ParsedInteger ParseInteger(std::string_view text) {
    text = UpToNul(text);
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) return {0, false};

    bool negative = false;
    switch (text[i]) {
        case '-':
            negative = true;
            ++i;
            break;
        case '+':
            ++i;
            break;
        case '$':
        case 'x':
        case 'X':
            return ParseHexadecimalDigits(text, i + 1);
        case '0':
            if (i + 1 == text.size()) return {0, true};
            if (text[i + 1] == 'x' || text[i + 1] == 'X')
                return ParseHexadecimalDigits(text, i + 2);
            break;  // the '0' counts as the digit 0
        default:
            break;
    }
    if (i == text.size()) return {0, false};
    return ParseDecimalDigits(text, i, negative);
}

std::int32_t ParseGroupCode(std::string_view CodeLine) {
    if (CodeLine.empty()) return -1;
    return ParseInteger(CodeLine).value;
}

bool ValueHasKeyword(std::string_view ValueLine, std::string_view keyword) {
    const std::string_view text = UpToNul(ValueLine);
    if (keyword.empty() || keyword.size() > text.size()) return false;
    const std::size_t lastStart = text.size() - keyword.size();
    // Walk character by character, so that only character starts are tried.
    // An occurrence that starts on a character is all ASCII (the keyword is),
    // so each of its bytes is a character of its own and upper-cases as ASCII.
    for (std::size_t i = 0; i <= lastStart; ++i) {
        if (AsciiUpper(text[i]) == keyword[0]) {
            std::size_t j = 1;
            while (j < keyword.size() && AsciiUpper(text[i + j]) == keyword[j]) ++j;
            if (j == keyword.size()) return true;
        }
        if (IsShiftJisLeadByte(static_cast<unsigned char>(text[i]))) ++i;  // skip its second byte
    }
    return false;
}

}  // namespace vernolak
