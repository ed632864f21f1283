#include "toolkit/UIParse.h"

#include <cctype>
#include <cstdlib>

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string ToLowerAscii(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

DWORD ParseColor(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    std::string digits(text);
    char* end = nullptr;
    unsigned long value = std::strtoul(digits.c_str(), &end, 16);
    if (end == digits.c_str())
        return 0;
    if (end - digits.c_str() == 6)
        value |= 0xFF000000UL;
    return DWORD(value);
}

int ParseInt(std::string_view text, int fallback)
{
    std::string digits(text);
    char* end = nullptr;
    long value = std::strtol(digits.c_str(), &end, 10);
    return end == digits.c_str() ? fallback : int(value);
}

static std::vector<int> ParseInts(std::string_view text)
{
    std::vector<int> values;
    for (const std::string& part : SplitText(text, ','))
        values.push_back(ParseInt(part));
    return values;
}

RECT ParseRect(std::string_view text)
{
    std::vector<int> v = ParseInts(text);
    v.resize(4, 0);
    return RECT{v[0], v[1], v[2], v[3]};
}

SIZE ParseSize(std::string_view text)
{
    std::vector<int> v = ParseInts(text);
    v.resize(2, 0);
    return SIZE{v[0], v[1]};
}

bool ParseBool(std::string_view text)
{
    return EqualsNoCase(text, "true") || text == "1";
}

std::vector<std::string> SplitText(std::string_view text, char sep)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(sep, start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view part = text.substr(start, end - start);
        while (!part.empty() && std::isspace(static_cast<unsigned char>(part.front())))
            part.remove_prefix(1);
        while (!part.empty() && std::isspace(static_cast<unsigned char>(part.back())))
            part.remove_suffix(1);
        parts.emplace_back(part);
        start = end + 1;
    }
    return parts;
}

std::vector<std::pair<std::string, std::string>> ParseAttributeList(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        size_t eq = text.find('=', at);
        if (eq == std::string_view::npos || eq + 1 >= text.size())
            break;
        std::string name(text.substr(at, eq - at));
        while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
            name.pop_back();
        char quote = text[eq + 1];
        if (quote != '"' && quote != '\'')
            break;
        size_t close = text.find(quote, eq + 2);
        if (close == std::string_view::npos)
            break;
        pairs.emplace_back(name, std::string(text.substr(eq + 2, close - eq - 2)));
        at = close + 1;
    }
    return pairs;
}

std::string NormalizePath(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= text.size() + (extra == 0 ? 1 : 0)) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + size_t(k)]);
            valid = valid && (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        out.push_back(valid ? cp : U'\uFFFD');
        i += valid ? size_t(extra) + 1 : 1;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    for (char32_t cp : text) {
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = 0xFFFD;
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
