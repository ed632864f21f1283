#pragma once

// Parsing of skin attribute values: colours, numbers, rectangles, booleans and attribute lists.

#include "toolkit/UIDefs.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string text);
// "#AARRGGBB", "0xAARRGGBB", "AARRGGBB" or six digits (opaque); anything else reads as 0.
DWORD ParseColor(std::string_view text);
// A decimal integer with optional sign; fallback when there is none.
int ParseInt(std::string_view text, int fallback = 0);
// "l,t,r,b"; missing parts are 0.
RECT ParseRect(std::string_view text);
// "cx,cy".
SIZE ParseSize(std::string_view text);
// "true" (any case) or "1".
bool ParseBool(std::string_view text);
// Splits on sep, trimming spaces.
std::vector<std::string> SplitText(std::string_view text, char sep);
// Reads `name="value" name2='value'` pairs; a malformed tail is ignored.
std::vector<std::pair<std::string, std::string>> ParseAttributeList(std::string_view text);
// Skin paths may use '\' or '/'; this gives '/'.
std::string NormalizePath(std::string path);
// UTF-8 to code points (a bad byte becomes U+FFFD) and back.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
