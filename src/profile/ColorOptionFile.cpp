#include "profile/ColorOptionFile.h"

#include "profile/JsonFieldReader.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char kInfoKey[] = "coloroptioninfo";
const char kPresetKey[] = "palletDialogcoloroption";
const char kPresetSelectKey[] = "palletDialogcoloroption_selectitem";
const char kUserKey[] = "palletDialogcollectcoloroption";
const char kUserSelectKey[] = "palletDialogcollectcoloroption_selectitem";

std::string HexColour(uint32_t argb)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(argb));
    return text;
}

bool IsNullOr(const Json::Value& value, Json::ValueType type)
{
    return value.isNull() || value.type() == type;
}

bool IsSwatchList(const Json::Value& list)
{
    if (list.isNull())
        return true;
    if (!list.isArray())
        return false;
    for (const Json::Value& element : list) {
        if (!IsNullOr(element, Json::objectValue))
            return false;
        if (element.isObject() && (!IsNullOr(element["color"], Json::stringValue) ||
                                   !IsNullOr(element["UserData"], Json::stringValue)))
            return false;
    }
    return true;
}

const Json::Value& Info(const Json::Value& document)
{
    if (!document.isObject() || !document[kInfoKey].isObject())
        return Json::Value::nullSingleton();
    return document[kInfoKey];
}

} // namespace

bool ColorOptionFile::IsColourDocument(const Json::Value& document)
{
    if (!document.isObject() || !IsNullOr(document[kInfoKey], Json::objectValue))
        return false;
    const Json::Value& info = Info(document);
    return info.isNull() || (IsSwatchList(info[kPresetKey]) && IsSwatchList(info[kUserKey]));
}

Json::Value ColorOptionFile::ReadOrCopyDefault(const std::string& userPath, const std::string& defaultPath)
{
    JsonFile json;
    UserDocument read = json.ReadUserDocument(userPath, IsColourDocument);
    if (read.IsUsable())
        return read.document;
    Json::Value document = json.ReadJsonDocument(defaultPath);
    if (!IsColourDocument(document))
        return Json::Value();
    if (read.MayReplace())
        json.WriteJsonDocument(userPath, document);
    return document;
}

const Json::Value& ColorOptionFile::Element(const Json::Value& document, const char* listKey, int i)
{
    const Json::Value& info = Info(document);
    const Json::Value& list = info.isObject() ? info[listKey] : Json::Value::nullSingleton();
    if (!list.isArray() || i < 0 || i >= static_cast<int>(list.size()) || !list[i].isObject())
        return Json::Value::nullSingleton();
    return list[i];
}

std::optional<uint32_t> ColorOptionFile::Preset(const Json::Value& document, int i)
{
    const Json::Value& element = Element(document, kPresetKey, i);
    if (!element.isObject() || !element["color"].isString())
        return std::nullopt;
    return static_cast<uint32_t>(std::strtoul(element["color"].asCString(), nullptr, 16));
}

std::optional<ColorOptionFile::Swatch> ColorOptionFile::UserSwatch(const Json::Value& document, int i)
{
    const Json::Value& element = Element(document, kUserKey, i);
    if (!element.isObject())
        return std::nullopt;
    Swatch swatch;
    swatch.held = element["UserData"].isString() && element["UserData"].asString() == "1";
    if (swatch.held && element["color"].isString())
        swatch.argb = static_cast<uint32_t>(std::strtoul(element["color"].asCString(), nullptr, 16));
    return swatch;
}

std::optional<int> ColorOptionFile::PresetSelection(const Json::Value& document)
{
    const Json::Value& info = Info(document);
    if (!info.isObject() || !info[kPresetSelectKey].isInt())
        return std::nullopt;
    return info[kPresetSelectKey].asInt();
}

template <typename PutInto>
int ColorOptionFile::Update(const std::string& path, PutInto put)
{
    JsonFile json;
    UserDocument read = json.ReadUserDocument(path, IsColourDocument);
    if (!read.MayReplace())
        return -1;
    Json::Value document = read.IsUsable() ? read.document : Json::Value(Json::objectValue);
    put(document);
    return json.WriteJsonDocument(path, document);
}

int ColorOptionFile::SavePresets(const std::string& path, const std::vector<std::optional<uint32_t>>& colours,
                                 int selected)
{
    return Update(path, [&](Json::Value& document) { PutPresets(document, colours, selected); });
}

int ColorOptionFile::SaveUserSwatches(const std::string& path, const std::vector<std::optional<Swatch>>& swatches,
                                      int selected)
{
    return Update(path, [&](Json::Value& document) { PutUserSwatches(document, swatches, selected); });
}

void ColorOptionFile::PutPresets(Json::Value& document, const std::vector<std::optional<uint32_t>>& colours, int selected)
{
    std::vector<std::optional<Swatch>> swatches;
    for (const std::optional<uint32_t>& colour : colours)
        swatches.push_back(colour ? std::optional<Swatch>(Swatch {*colour, false}) : std::nullopt);
    Put(document, kPresetKey, kPresetSelectKey, selected, swatches, false);
}

void ColorOptionFile::PutUserSwatches(Json::Value& document, const std::vector<std::optional<Swatch>>& swatches,
                                      int selected)
{
    Put(document, kUserKey, kUserSelectKey, selected, swatches, true);
}

void ColorOptionFile::Put(Json::Value& document, const char* listKey, const char* selectKey, int selected,
                          const std::vector<std::optional<Swatch>>& swatches, bool userSwatches)
{
    Json::Value& info = JsonFieldReader::ObjectMember(document, kInfoKey);
    Json::Value& list = JsonFieldReader::ArrayMember(info, listKey);
    for (size_t i = 0; i < swatches.size() && i < kSwatches; ++i) {
        if (!swatches[i])
            continue;
        Json::Value& element = JsonFieldReader::ObjectElement(list, static_cast<Json::ArrayIndex>(i));
        element["color"] = HexColour(swatches[i]->argb);
        if (userSwatches)
            element["UserData"] = swatches[i]->held ? "1" : "";
    }
    info[selectKey] = selected;
}
