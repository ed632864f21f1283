#include "profile/StringUtils.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsScalar(char32_t c)
{
    return c < 0xD800 || (c > 0xDFFF && c <= 0x10FFFF);
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (!IsScalar(c))
        c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one code point at text[i] and advances i; malformed input yields U+FFFD for one byte.
char32_t DecodeUtf8(const std::string& text, size_t& i)
{
    auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    unsigned char lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || !IsScalar(c)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return c;
}

bool IsUnicodeSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

} // namespace

std::wstring Utf8ToWide(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();)
        out += static_cast<wchar_t>(DecodeUtf8(text, i));
    return out;
}

std::string WideToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::string WideToAnsi(const wchar_t* text)
{
    return text ? WideToUtf8(text) : std::string();
}

void RemoveChar(std::string& text, char c)
{
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
}

bool IsBlankName(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        if (!IsUnicodeSpace(DecodeUtf8(text, i)))
            return false;
    }
    return true;
}

std::string HexString32(uint32_t value)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        out[static_cast<size_t>(i)] = kDigits[value & 0xF];
    return out;
}

bool SplitNameIndex(const std::string& name, std::string& prefix, int& number)
{
    auto underscore = name.find_last_of('_');
    if (underscore == std::string::npos)
        return false;
    prefix = name.substr(0, underscore + 1);
    // Like wcstol: leading blanks and a sign are taken, digits up to the first non-digit, 0 when none.
    const char* rest = name.c_str() + underscore + 1;
    long value = std::strtol(rest, nullptr, 10);
    number = value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<int>(value);
    return true;
}

int StepIndex(bool forward, uint8_t count, uint8_t current, uint8_t step)
{
    if (forward) {
        uint8_t next = static_cast<uint8_t>(current + step);
        return next < count ? next : 0;
    }
    uint8_t previous = static_cast<uint8_t>(current - step);
    return previous < count ? previous : static_cast<uint8_t>(count - step);
}
