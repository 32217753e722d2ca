#include "engine/group_pairs.h"

namespace vernolak {
namespace {

// The byte at index, or NUL past the end: number texts end at the end of the
// line or at its first NUL byte, whichever comes first.
char ByteAt(std::string_view text, std::size_t index) {
    return index < text.size() ? text[index] : '\0';
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
    for (char c; (c = ByteAt(text, i)) != '\0'; ++i) {
        if (!IsDigit(c) || v > 214748364u) return {AsSigned(v), false};
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    // v is at most 2147483649 here; out of range it wraps to a value whose
    // magnitude is far from every group code the converter acts on.
    const bool inRange = negative ? v <= 2147483648u : v <= 2147483647u;
    return {AsSigned(negative ? 0u - v : v), inRange};
}

ParsedInteger ParseHexadecimalDigits(std::string_view text, std::size_t i) {
    if (ByteAt(text, i) == '\0') return {0, false};
    std::uint32_t v = 0;
    for (char c; (c = ByteAt(text, i)) != '\0'; ++i) {
        const int digit = HexDigitValue(c);
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

void ReadGroupPair(DxfInput& input, DxfLine& CodeLine, DxfLine& ValueLine) {
    ReadInputLine(input, CodeLine);
    ReadInputLine(input, ValueLine);
}

ParsedInteger ParseInteger(std::string_view text) {
    std::size_t i = 0;
    while (ByteAt(text, i) == ' ') ++i;
    bool negative = false;
    switch (ByteAt(text, i)) {
        case '\0':
            return {0, false};
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
    if (ByteAt(text, i) == '\0') return {0, false};
    return ParseDecimalDigits(text, i, negative);
}

std::int32_t ParseGroupCode(std::string_view CodeLine) {
    if (CodeLine.empty()) return -1;
    // Code lines are nearly always blanks and one to nine digits: such a text
    // parses to its digits' value (nine digits stay below the point where the
    // integer parse gives up), so read it here at once.
    std::size_t i = 0;
    while (i < CodeLine.size() && CodeLine[i] == ' ') ++i;
    const std::size_t digits = i;
    std::int32_t value = 0;
    for (; i < CodeLine.size() && IsDigit(CodeLine[i]) && i - digits < 9; ++i) {
        value = value * 10 + (CodeLine[i] - '0');
    }
    if (i == CodeLine.size() && i != digits) return value;
    return ParseInteger(CodeLine).value;
}

bool ValueHasKeyword(std::string_view ValueLine, std::string_view keyword) {
    if (keyword.empty() || keyword.size() > ValueLine.size()) return false;
    const std::size_t lastStart = ValueLine.size() - keyword.size();
    // Walk character by character, so that only character starts are tried.
    // An occurrence that starts on a character is all ASCII (the keyword is),
    // so each of its bytes is a character of its own and upper-cases as ASCII.
    // The search ends at a NUL byte; a keyword never holds one, so no match
    // that starts before it can run over it.
    for (std::size_t i = 0; i <= lastStart && ValueLine[i] != '\0'; ++i) {
        if (AsciiUpper(ValueLine[i]) == keyword[0]) {
            std::size_t j = 1;
            while (j < keyword.size() && AsciiUpper(ValueLine[i + j]) == keyword[j]) ++j;
            if (j == keyword.size()) return true;
        }
        if (IsShiftJisLeadByte(static_cast<unsigned char>(ValueLine[i])))
            ++i;  // skip its second byte
    }
    return false;
}

}  // namespace vernolak
