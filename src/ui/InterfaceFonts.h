#pragma once

#include <string>

class CPaintManagerUI;

// The interface fonts: the private font files beside the program, the faces the language
// rule asks for mapped to fonts the system has, and the font table every window shares.
class InterfaceFonts {
public:
    // The font files below the program folder's "Font", loaded in this order when present.
    static constexpr const char* kPrivateFontFiles[] = {"Font/Simplified_Chinese.ttf", "Font/Vorkast-Regular.otf",
                                                        "Font/NotoSansThai-Regular.ttf",
                                                        "Font/NotoSansCJKtc-Regular.otf"};

    // Loads the private font files found below programFolder; missing or rejected files are
    // skipped without a word. Returns how many were loaded.
    static int LoadPrivateFonts(const std::string& programFolder);
    // Maps each language face to installed Noto fonts, so that text asking for a face no font
    // file provides still gets real glyphs.
    static void MapFacesToSystemFonts();
    // Removes the window's own and the shared fonts, then adds the shared table in face:
    // ids 0-11 and 50 at their sizes, and a default font of size 14.
    static void ApplyFontTable(CPaintManagerUI& manager, const std::string& face);
};
