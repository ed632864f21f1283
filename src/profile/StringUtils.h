#pragma once

#include <cstdint>
#include <string>

// Text inside the program is UTF-8 in std::string. The wide forms (std::wstring, one code point
// per wchar_t here) serve code that works on characters rather than bytes.

// UTF-8 to wide; an invalid byte sequence becomes U+FFFD.
std::wstring Utf8ToWide(const std::string& text);
// Wide to UTF-8; a value that is no Unicode scalar becomes U+FFFD.
std::string WideToUtf8(const std::wstring& text);
// Wide to the system's narrow encoding, which is UTF-8 on this platform; null gives "".
std::string WideToAnsi(const wchar_t* text);
// Removes every occurrence of c from text.
void RemoveChar(std::string& text, char c);
// True when text is empty after removing leading and trailing white space (Unicode spaces too).
bool IsBlankName(const std::string& text);
// Exactly eight upper-case hexadecimal digits, most significant first.
std::string HexString32(uint32_t value);
// Splits "prefix_N" at the last '_': prefix keeps the '_', number is the decimal rest (0 when it
// is no number). False, with the outputs untouched, when there is no '_'.
bool SplitNameIndex(const std::string& name, std::string& prefix, int& number);
// Steps a list index by step, wrapping: forward past the end gives 0, backward past the start
// gives count - step. All arithmetic is on unsigned bytes.
int StepIndex(bool forward, uint8_t count, uint8_t current, uint8_t step);
