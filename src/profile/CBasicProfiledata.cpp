#include "profile/CBasicProfiledata.h"

#include "profile/FilePaths.h"

#include <algorithm>
#include <climits>

namespace {

size_t BoundedSize(const Json::Value& array, size_t limit, JsonFieldReader& fields)
{
    if (array.size() > limit)
        fields.NoteRepair();
    return std::min<size_t>(array.size(), limit);
}

} // namespace

int CBasicProfiledata::SaveProfile()
{
    return SaveDeviceNode(m_currentNode, m_profilePath);
}

int CBasicProfiledata::SaveDeviceNode(const Json::Value& node, const std::string& path)
{
    if (node.isNull() || path.empty())
        return -1;
    Json::Value document = m_json.ReadJsonDocument(path);
    PutDeviceNode(document, node);
    return m_json.WriteJsonDocument(path, document);
}

int CBasicProfiledata::SaveOtherProfile(const std::string& path)
{
    return SaveDeviceNode(m_otherNode, path);
}

int CBasicProfiledata::WriteDocument(const Json::Value& document, const std::string& path)
{
    return m_json.WriteJsonDocument(path, document);
}

void CBasicProfiledata::SetProfilePath(const std::string& path)
{
    if (!path.empty())
        m_profilePath = path;
}

void CBasicProfiledata::SetDefaultProfilePath(const std::string& path)
{
    if (!path.empty())
        m_defaultProfilePath = path;
}

void CBasicProfiledata::SetDeviceIndex(int index)
{
    m_deviceIndex = std::clamp(index, 0, kMaxDeviceIndex);
}

Json::Value CBasicProfiledata::LoadProfile(const std::string& path)
{
    m_fields.ResetRepairs();
    return LoadNodeInto(path, m_currentNode);
}

Json::Value CBasicProfiledata::LoadOtherProfile(const std::string& path)
{
    return LoadNodeInto(path, m_otherNode);
}

Json::Value CBasicProfiledata::LoadNodeInto(const std::string& path, Json::Value& node)
{
    Json::Value document = m_json.ReadJsonDocument(path);
    node = DeviceNodeOf(document);
    if (node.isNull()) {
        node = DeviceNodeOf(m_json.ReadJsonDocument(m_defaultProfilePath));
        // A read of the default file itself must never turn into a write over it.
        if (!path.empty() && path != m_defaultProfilePath) {
            PutDeviceNode(document, node);
            m_json.WriteJsonDocument(path, document);
        }
    }
    return node;
}

Json::Value CBasicProfiledata::DeviceNodeOf(const Json::Value& document) const
{
    if (!document.isObject())
        return {};
    const Json::Value& devices = document["Device"];
    if (!devices.isArray() || devices.size() <= static_cast<Json::ArrayIndex>(m_deviceIndex))
        return {};
    const Json::Value& node = devices[static_cast<Json::ArrayIndex>(m_deviceIndex)];
    return node.isObject() ? node : Json::Value();
}

void CBasicProfiledata::PutDeviceNode(Json::Value& document, const Json::Value& node) const
{
    JsonFieldReader::ArrayMember(document, "Device")[static_cast<Json::ArrayIndex>(m_deviceIndex)] = node;
}

Json::Value CBasicProfiledata::LoadLightConfig(const std::string& path)
{
    m_lightConfig = m_json.ReadJsonDocument(path);
    return m_lightConfig;
}

LightInfo CBasicProfiledata::GetLightInfo()
{
    Json::Value* section = JsonFieldReader::Member(m_currentNode, "LightInfo");
    if (!section || section->isNull()) {
        m_lightInfo = m_fallbackLightInfo;
        return m_lightInfo;
    }
    if (!section->isObject())
        m_fields.NoteRepair();
    auto field = [&](const char* key) -> const Json::Value& { return JsonFieldReader::Lookup(*section, key); };
    LightInfo info;
    info.selectItem = m_fields.Byte(field("SelectItem"));
    info.brightness = static_cast<uint8_t>(m_fields.Int(field("Light"), 0, kMaxBrightness));
    info.speed = static_cast<uint8_t>(m_fields.Int(field("Speed"), 0, kMaxSpeed));
    info.red = m_fields.Byte(field("Red"));
    info.green = m_fields.Byte(field("Green"));
    info.blue = m_fields.Byte(field("Blue"));
    info.direction = m_fields.Byte(field("Fx"));
    info.zzccMode = m_fields.Byte(field("ZZCCLedMode"));
    info.customGroup = m_fields.Byte(field("CustomGroup"));
    info.oldLedMode = m_fields.Byte(field("OldLedmode"));
    info.multiColor = m_fields.Flag(field("MultiColor"));
    m_lightInfo = info;
    return info;
}

void CBasicProfiledata::SetLightInfo(const LightInfo& info)
{
    m_lightInfo = info;
    Json::Value section(Json::objectValue);
    section["SelectItem"] = info.selectItem;
    section["Light"] = info.brightness;
    section["Speed"] = info.speed;
    section["MultiColor"] = info.multiColor;
    section["Red"] = info.red;
    section["Green"] = info.green;
    section["Blue"] = info.blue;
    section["Fx"] = info.direction;
    section["ZZCCLedMode"] = info.zzccMode;
    section["CustomGroup"] = info.customGroup;
    section["OldLedmode"] = info.oldLedMode;
    JsonFieldReader::ObjectMember(m_currentNode, "LightInfo") = section;
}

AudioLightInfo CBasicProfiledata::GetAudioLightInfo()
{
    Json::Value* section = JsonFieldReader::Member(m_currentNode, "AudioLightInfo");
    AudioLightInfo info;
    if (section && !section->isNull()) {
        if (!section->isObject())
            m_fields.NoteRepair();
        auto field = [&](const char* key) -> const Json::Value& { return JsonFieldReader::Lookup(*section, key); };
        info.audioMode = m_fields.Byte(field("AudioMode"));
        info.backRed = m_fields.Byte(field("BkColorR"));
        info.backGreen = m_fields.Byte(field("BkColorG"));
        info.backBlue = m_fields.Byte(field("BkColorB"));
        info.foreRed = m_fields.Byte(field("FgColorR"));
        info.foreGreen = m_fields.Byte(field("FgColorG"));
        info.foreBlue = m_fields.Byte(field("FgColorB"));
        info.sevenColorFlag = m_fields.Flag(field("7ColorFlags"));
        m_fields.Flag(field("ColorTypeFlags"));
        info.colorTypeFlag = 1; // the panel always opens on the foreground colour
    }
    m_audioLightInfo = info;
    return info;
}

void CBasicProfiledata::SetAudioLightInfo(const AudioLightInfo& info)
{
    m_audioLightInfo = info;
    Json::Value section(Json::objectValue);
    section["AudioMode"] = info.audioMode;
    section["BkColorR"] = info.backRed;
    section["BkColorG"] = info.backGreen;
    section["BkColorB"] = info.backBlue;
    section["FgColorR"] = info.foreRed;
    section["FgColorG"] = info.foreGreen;
    section["FgColorB"] = info.foreBlue;
    section["7ColorFlags"] = info.sevenColorFlag;
    section["ColorTypeFlags"] = info.colorTypeFlag;
    JsonFieldReader::ObjectMember(m_currentNode, "AudioLightInfo") = section;
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList()
{
    std::vector<LightListEntry> list;
    Json::Value* array = JsonFieldReader::Member(m_currentNode, "LightList");
    if (array && !array->isNull() && !array->isArray())
        m_fields.NoteRepair();
    if (array && array->isArray()) {
        list.resize(BoundedSize(*array, kMaxLights, m_fields));
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            Json::Value& element = (*array)[i];
            if (element.isNull())
                continue;
            if (!element.isObject()) {
                m_fields.NoteRepair();
                continue;
            }
            auto field = [&](const char* key) -> const Json::Value& { return JsonFieldReader::Lookup(element, key); };
            LightListEntry& entry = list[i];
            entry.valid = 1;
            entry.mode = m_fields.Byte(field("LEDREGMode"));
            entry.brightness = static_cast<uint8_t>(m_fields.Int(field("LEDBrightness"), 0, kMaxBrightness));
            entry.speed = static_cast<uint8_t>(m_fields.Int(field("LEDSpeed"), 0, kMaxSpeed));
            entry.blue = m_fields.Byte(field("blue"));
            entry.green = m_fields.Byte(field("green"));
            entry.red = m_fields.Byte(field("red"));
            entry.multiColor = m_fields.Flag(field("LEDMultiColor"));
            entry.direction = m_fields.Flag(field("LEDDirection"));
        }
    }
    m_lightList = list;
    return list;
}

std::string CBasicProfiledata::LightEffectFilePath() const
{
    if (!m_lightConfig.isObject())
        return {};
    const Json::Value& families = m_lightConfig["LightInfo"];
    if (!families.isArray() || families.size() <= static_cast<Json::ArrayIndex>(m_deviceIndex))
        return {};
    const Json::Value& effects = families[static_cast<Json::ArrayIndex>(m_deviceIndex)];
    if (!effects.isArray() || effects.size() <= m_lightInfo.selectItem)
        return {};
    const Json::Value& effect = effects[m_lightInfo.selectItem];
    if (!effect.isObject() || !effect["Guid"].isString() || !JsonFile::IsProfileId(effect["Guid"].asString()))
        return {};
    // Effect files sit beside the light configuration, whatever the current directory is.
    return FilePaths::FolderOf(m_lightConfigPath) + "/" + effect["Guid"].asString() + ".light";
}

std::vector<LightEffectStep> CBasicProfiledata::GetLightEffectSteps()
{
    std::vector<LightEffectStep> steps;
    std::string path = LightEffectFilePath();
    Json::Value document = path.empty() ? Json::Value() : m_json.ReadJsonDocument(path);
    Json::Value* frames = JsonFieldReader::Member(document, "LEDEffectList");
    if (frames && frames->isArray()) {
        steps.resize(BoundedSize(*frames, kMaxEffectSteps, m_fields));
        for (Json::ArrayIndex i = 0; i < steps.size(); ++i) {
            Json::Value& element = (*frames)[i];
            auto field = [&](const char* key) -> const Json::Value& { return JsonFieldReader::Lookup(element, key); };
            LightEffectStep& step = steps[i];
            step.mode = m_fields.Byte(field("LEDREGMode"));
            step.direction = m_fields.Byte(field("LEDDirection"));
            step.brightness = static_cast<uint8_t>(m_fields.Int(field("LEDBrightness"), 0, kMaxBrightness));
            step.speed = static_cast<uint8_t>(m_fields.Int(field("LEDSpeed"), 0, kMaxSpeed));
            step.multiColor = m_fields.Flag(field("LEDMultiColor"));
            step.red = m_fields.Byte(field("red"));
            step.green = m_fields.Byte(field("green"));
            step.blue = m_fields.Byte(field("blue"));
            step.time = m_fields.Int(field("Time"), 0, INT_MAX);
            step.cycles = m_fields.Int(field("Cyle"), 0, INT_MAX);
        }
    }
    m_lightEffectSteps = steps;
    return steps;
}

KeyFunction CBasicProfiledata::ReadKeyFunction(const Json::Value& value, KeyFunction fallback)
{
    // Out-of-range values clamp to just outside the 24 bits, so they fall back too.
    int packed = m_fields.Int(value, -1, KeyFunction::kMaxPacked + 1, -1);
    if (packed < 0 || packed > KeyFunction::kMaxPacked)
        return fallback;
    return KeyFunction::FromPacked(packed);
}

std::vector<KeyAssignment> CBasicProfiledata::ReadKeyList(Json::Value& node)
{
    std::vector<KeyAssignment> keys;
    Json::Value* array = JsonFieldReader::Member(node, "KeyList");
    if (array && !array->isNull() && !array->isArray())
        m_fields.NoteRepair();
    if (!array || !array->isArray())
        return keys;
    keys.resize(BoundedSize(*array, kMaxKeys, m_fields));
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        Json::Value& element = (*array)[i];
        KeyAssignment& key = keys[i];
        key.current.keyIndex = key.defaults.keyIndex = static_cast<uint16_t>(i);
        // A damaged factory function reads as none; a damaged current one as the factory one.
        key.defaults.function = ReadKeyFunction(JsonFieldReader::Lookup(element, "DefaultAssignment"), {});
        key.current.function = ReadKeyFunction(JsonFieldReader::Lookup(element, "Assignment"), key.defaults.function);
    }
    return keys;
}

void CBasicProfiledata::WriteKeyList(Json::Value& node, const std::vector<KeyAssignment>& keys)
{
    Json::Value& array = JsonFieldReader::ArrayMember(node, "KeyList");
    for (Json::ArrayIndex i = 0; i < keys.size() && i < kMaxKeys; ++i)
        JsonFieldReader::ObjectElement(array, i)["Assignment"] = keys[i].current.function.Packed();
}

std::vector<KeyAssignment> CBasicProfiledata::GetKeyList()
{
    m_keyList = ReadKeyList(m_currentNode);
    return m_keyList;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyAssignment>& keys)
{
    m_keyList = keys;
    WriteKeyList(m_currentNode, keys);
}

std::vector<KeyAssignment> CBasicProfiledata::GetOtherKeyList()
{
    m_otherKeyList = ReadKeyList(m_otherNode);
    return m_otherKeyList;
}

void CBasicProfiledata::SetOtherKeyList(const std::vector<KeyAssignment>& keys)
{
    m_otherKeyList = keys;
    WriteKeyList(m_otherNode, keys);
}
