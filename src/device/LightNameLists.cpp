#include "device/LightNameLists.h"

#include "profile/JsonFile.h"
#include "profile/LightConfigFile.h"

#include <json/value.h>

namespace {

constexpr size_t kMaxModes = 64;

// Element family of the array member key of document; null when any step is missing.
const Json::Value& FamilyList(const Json::Value& document, const char* key, int family)
{
    if (!document.isObject() || family < 0)
        return Json::Value::nullSingleton();
    const Json::Value& families = document[key];
    if (!families.isArray() || families.size() <= static_cast<Json::ArrayIndex>(family))
        return Json::Value::nullSingleton();
    const Json::Value& list = families[static_cast<Json::ArrayIndex>(family)];
    return list.isArray() ? list : Json::Value::nullSingleton();
}

std::string TextOf(const Json::Value& entry)
{
    return entry.isObject() && entry["LightName"].isString() ? entry["LightName"].asString() : std::string();
}

} // namespace

void LightNameLists::LoadDefaults(const std::string& path, int family)
{
    const Json::Value document = JsonFile().ReadJsonDocument(path);
    const Json::Value& modes = FamilyList(document, "DefaultLightName", family);
    if (!modes.isNull()) {
        modeNames.clear();
        visible.clear();
        modeValues.clear();
        for (Json::ArrayIndex i = 0; i < modes.size() && i < kMaxModes; ++i) {
            const Json::Value& mode = modes[i];
            const bool object = mode.isObject();
            modeNames.push_back(TextOf(mode));
            visible.push_back(object && (mode["visible"].isBool() || mode["visible"].isNumeric()) && mode["visible"].asBool() ? 1 : 0);
            // A mode without a usable value keeps its place and goes to the device as its index.
            modeValues.push_back(object && mode["value"].isInt() ? mode["value"].asInt() : static_cast<int>(i));
        }
    }
    const Json::Value& areas = FamilyList(document, "AreaLightName", family);
    if (!areas.isNull()) {
        areaNames.clear();
        for (Json::ArrayIndex i = 0; i < areas.size() && i < kMaxModes; ++i)
            areaNames.push_back(TextOf(areas[i]));
    }
}

void LightNameLists::LoadCustomEffects(const std::string& deviceFolder, int family)
{
    if (deviceFolder.empty())
        return;
    const LightConfigFile config(deviceFolder);
    const Json::Value document = config.ReadConfig();
    if (FamilyList(document, "LightInfo", family).isNull())
        return;
    customNames.clear();
    for (const LightConfigFile::Effect& effect : LightConfigFile::EffectsOf(document, family))
        customNames.push_back(effect.name);
}
