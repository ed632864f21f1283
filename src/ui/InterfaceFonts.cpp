#include "ui/InterfaceFonts.h"

#include "platform/Folders.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIHost.h"

#include <vector>

namespace {

struct FontSlot {
    int id;
    int size;
    bool bold;
    bool underline;
};

// The shared font table; skins pick fonts by these ids.
constexpr FontSlot kFontTable[] = {
    {0, 15, false, false}, {1, 14, false, true}, {2, 18, false, false}, {3, 30, false, false},
    {4, 16, false, false}, {5, 20, false, false}, {6, 22, false, false}, {7, 14, false, false},
    {8, 12, false, false}, {9, 11, false, false}, {10, 10, false, false}, {11, 28, false, false},
    {50, 18, true, false},
};
// The default font, as res.xml names it.
constexpr int kDefaultFontId = -1;
constexpr int kDefaultFontSize = 14;

struct FaceMapping {
    const char* face;
    std::vector<std::string> families;
};

// Later families serve the glyphs the first one lacks (CJK in a Latin face, Thai in a CJK one).
const FaceMapping kFaceMappings[] = {
    {"汉仪菱心体简", {"Noto Sans CJK SC", "Noto Sans", "Noto Sans Thai"}},
    {"Noto Sans CJK TC Regular", {"Noto Sans CJK TC", "Noto Sans", "Noto Sans Thai"}},
    {"Noto Sans Thai", {"Noto Sans Thai", "Noto Sans", "Noto Sans CJK SC"}},
    {"Verdana Unicode MS", {"Noto Sans", "Noto Sans CJK SC", "Noto Sans CJK TC", "Noto Sans Thai"}},
};

} // namespace

int InterfaceFonts::LoadPrivateFonts(const std::string& programFolder)
{
    int loaded = 0;
    for (const char* file : kPrivateFontFiles) {
        std::string path = programFolder + "/" + file;
        if (platform::Folders::FileExists(path) && AddPrivateFontFile(path))
            ++loaded;
    }
    return loaded;
}

void InterfaceFonts::MapFacesToSystemFonts()
{
    for (const FaceMapping& mapping : kFaceMappings)
        SubstituteFontFace(mapping.face, mapping.families);
}

void InterfaceFonts::ApplyFontTable(CPaintManagerUI& manager, const std::string& face)
{
    manager.RemoveAllFonts(true);
    manager.RemoveAllFonts(false);
    for (const FontSlot& slot : kFontTable)
        manager.AddFont(slot.id, face, slot.size, slot.bold, slot.underline, false, false, true);
    manager.AddFont(kDefaultFontId, face, kDefaultFontSize, false, false, false, true, true);
}
