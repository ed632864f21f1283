#pragma once

#include "profile/JsonFile.h"

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The colour picker's swatch file "color_option_info.config":
//   {"coloroptioninfo": {
//       "palletDialogcoloroption": [{"color": "AARRGGBB"} x20],          preset swatches
//       "palletDialogcoloroption_selectitem": index,
//       "palletDialogcollectcoloroption": [{"color": "AARRGGBB", "UserData": "1" | ""} x20],
//       "palletDialogcollectcoloroption_selectitem": index}}
// Colours are 8 upper-case hexadecimal digits read back in base 16. Every access is checked: a
// value of another type reads as absent and a save writes over it only in a usable document.
class ColorOptionFile {
public:
    static constexpr int kSwatches = 20;
    static constexpr uint32_t kEmptySwatch = 0xFFFFFFFF;

    // One swatch of the file.
    struct Swatch {
        uint32_t argb = kEmptySwatch;
        bool held = false; // a user swatch that holds a colour ("UserData" "1")
    };

    // True for a document of that shape (members may be missing).
    static bool IsColourDocument(const Json::Value& document);

    // The user's file; one that is missing or unusable (kept aside first) is replaced by a copy
    // of the default file. Null when neither gives a usable document.
    static Json::Value ReadOrCopyDefault(const std::string& userPath, const std::string& defaultPath);
    // Preset swatch i (0..kSwatches-1) of a document; nothing when it holds no colour.
    static std::optional<uint32_t> Preset(const Json::Value& document, int i);
    // User swatch i of a document; nothing when the element is absent.
    static std::optional<Swatch> UserSwatch(const Json::Value& document, int i);
    // "palletDialogcoloroption_selectitem" when it is an integer.
    static std::optional<int> PresetSelection(const Json::Value& document);

    // Writes the given preset colours (by index; std::nullopt leaves a swatch as it is) and the
    // selection into the file at path, re-read first. 0 when written, -1 when not.
    static int SavePresets(const std::string& path, const std::vector<std::optional<uint32_t>>& colours, int selected);
    // The same for the user swatches.
    static int SaveUserSwatches(const std::string& path, const std::vector<std::optional<Swatch>>& swatches,
                                int selected);

    // What the two saves write, into a document in memory (of any shape: it becomes one).
    static void PutPresets(Json::Value& document, const std::vector<std::optional<uint32_t>>& colours, int selected);
    static void PutUserSwatches(Json::Value& document, const std::vector<std::optional<Swatch>>& swatches, int selected);

private:
    static const Json::Value& Element(const Json::Value& document, const char* listKey, int i);
    static void Put(Json::Value& document, const char* listKey, const char* selectKey, int selected,
                    const std::vector<std::optional<Swatch>>& swatches, bool userSwatches);
    // Re-reads the file (keeping it aside when unusable), lets put change it, writes it back.
    template <typename PutInto>
    static int Update(const std::string& path, PutInto put);
};
