#pragma once

#include <string>
#include <string_view>

// The toolkit's string: UTF-8 in a std::string, with the few helpers the program's code uses.
class CDuiString : public std::string {
public:
    CDuiString() = default;
    CDuiString(const char* text) : std::string(text ? text : "") {}
    CDuiString(std::string text) : std::string(std::move(text)) {}
    CDuiString(std::string_view text) : std::string(text) {}

    const char* GetData() const { return c_str(); }
    int GetLength() const { return int(size()); }
    bool IsEmpty() const { return empty(); }
    void Empty() { clear(); }
    // ASCII case-insensitive comparison: 0 when equal.
    int CompareNoCase(std::string_view other) const;
    CDuiString Left(int count) const;
    CDuiString Mid(int start, int count = -1) const;
    CDuiString Right(int count) const;
    // Byte offset of what from start, or -1.
    int Find(std::string_view what, int start = 0) const;
    int ReverseFind(char c) const;
    // Replaces every occurrence; returns the number replaced.
    int Replace(std::string_view from, std::string_view to);
    void MakeLower();
    void MakeUpper();
    // printf-style formatting into this string.
    int Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    operator const char*() const { return c_str(); }
};
