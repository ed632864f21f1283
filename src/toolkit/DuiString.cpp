#include "toolkit/DuiString.h"

#include "toolkit/UIParse.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

int CDuiString::CompareNoCase(std::string_view other) const
{
    return EqualsNoCase(*this, other) ? 0 : (ToLowerAscii(*this) < ToLowerAscii(std::string(other)) ? -1 : 1);
}

CDuiString CDuiString::Left(int count) const
{
    return CDuiString(substr(0, size_t(std::max(0, count))));
}

CDuiString CDuiString::Mid(int start, int count) const
{
    if (start < 0 || size_t(start) >= size())
        return {};
    return CDuiString(substr(size_t(start), count < 0 ? npos : size_t(count)));
}

CDuiString CDuiString::Right(int count) const
{
    if (count <= 0)
        return {};
    return size_t(count) >= size() ? *this : CDuiString(substr(size() - size_t(count)));
}

int CDuiString::Find(std::string_view what, int start) const
{
    if (start < 0 || size_t(start) > size())
        return -1;
    size_t at = find(what, size_t(start));
    return at == npos ? -1 : int(at);
}

int CDuiString::ReverseFind(char c) const
{
    size_t at = rfind(c);
    return at == npos ? -1 : int(at);
}

int CDuiString::Replace(std::string_view from, std::string_view to)
{
    if (from.empty())
        return 0;
    int count = 0;
    for (size_t at = find(from); at != npos; at = find(from, at + to.size())) {
        replace(at, from.size(), to);
        ++count;
    }
    return count;
}

void CDuiString::MakeLower()
{
    *this = ToLowerAscii(*this);
}

void CDuiString::MakeUpper()
{
    for (char& c : *this)
        c = char(std::toupper(static_cast<unsigned char>(c)));
}

int CDuiString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        va_end(args);
        clear();
        return 0;
    }
    resize(size_t(needed) + 1);
    std::vsnprintf(data(), size(), format, args);
    va_end(args);
    resize(size_t(needed));
    return needed;
}
