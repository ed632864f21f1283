#include "profile/CBasicProfiledata.h"

#include "profile/FilePaths.h"

#include <algorithm>
#include <climits>
#include <utility>

// Sections: the key tables of the records; saving; paths and loading; lighting records;
// key list.

namespace {

// One byte of a record and the key it is stored under. high is the largest value the field
// takes; a flag field reads true, false and every number (non-zero is 1).
template <typename Record>
struct ByteField {
    const char* key;
    uint8_t Record::*member;
    int high = 0xFF;
    bool flag = false;
};

constexpr int kBrightnessHigh = CBasicProfiledata::kMaxBrightness;
constexpr int kSpeedHigh = CBasicProfiledata::kMaxSpeed;

constexpr ByteField<LightInfo> kLightInfoFields[] = {
    {"SelectItem", &LightInfo::selectItem},
    {"Light", &LightInfo::brightness, kBrightnessHigh},
    {"Speed", &LightInfo::speed, kSpeedHigh},
    {"MultiColor", &LightInfo::multiColor, 1, true},
    {"Red", &LightInfo::red},
    {"Green", &LightInfo::green},
    {"Blue", &LightInfo::blue},
    {"Fx", &LightInfo::direction},
    {"ZZCCLedMode", &LightInfo::zzccMode},
    {"CustomGroup", &LightInfo::customGroup},
    {"OldLedmode", &LightInfo::oldLedMode},
};

constexpr ByteField<AudioLightInfo> kAudioLightInfoFields[] = {
    {"AudioMode", &AudioLightInfo::audioMode},
    {"BkColorR", &AudioLightInfo::backRed},
    {"BkColorG", &AudioLightInfo::backGreen},
    {"BkColorB", &AudioLightInfo::backBlue},
    {"FgColorR", &AudioLightInfo::foreRed},
    {"FgColorG", &AudioLightInfo::foreGreen},
    {"FgColorB", &AudioLightInfo::foreBlue},
    {"7ColorFlags", &AudioLightInfo::sevenColorFlag, 1, true},
    {"ColorTypeFlags", &AudioLightInfo::colorTypeFlag, 1, true},
};

constexpr ByteField<LightListEntry> kLightListFields[] = {
    {"LEDREGMode", &LightListEntry::mode},
    {"LEDBrightness", &LightListEntry::brightness, kBrightnessHigh},
    {"LEDSpeed", &LightListEntry::speed, kSpeedHigh},
    {"LEDDirection", &LightListEntry::direction, 1, true},
    {"LEDMultiColor", &LightListEntry::multiColor, 1, true},
    {"red", &LightListEntry::red},
    {"green", &LightListEntry::green},
    {"blue", &LightListEntry::blue},
};

constexpr ByteField<LightEffectStep> kLightEffectStepFields[] = {
    {"LEDREGMode", &LightEffectStep::mode},
    {"LEDBrightness", &LightEffectStep::brightness, kBrightnessHigh},
    {"LEDSpeed", &LightEffectStep::speed, kSpeedHigh},
    {"LEDDirection", &LightEffectStep::direction},
    {"LEDMultiColor", &LightEffectStep::multiColor, 1, true},
    {"red", &LightEffectStep::red},
    {"green", &LightEffectStep::green},
    {"blue", &LightEffectStep::blue},
};

// The record read from object: every key looked up (and so present afterwards), repaired as needed.
template <typename Record, size_t N>
Record ReadByteFields(Json::Value& object, const ByteField<Record> (&fields)[N], JsonFieldReader& reader)
{
    if (!object.isNull() && !object.isObject())
        reader.NoteRepair();
    Record record {};
    for (const ByteField<Record>& field : fields) {
        const Json::Value& value = JsonFieldReader::Lookup(object, field.key);
        record.*field.member = field.flag ? reader.Flag(value) : static_cast<uint8_t>(reader.Int(value, 0, field.high));
    }
    return record;
}

// Writes the record's fields as integers into object; members the program does not know stay.
template <typename Record, size_t N>
void PutByteFields(Json::Value& object, const Record& record, const ByteField<Record> (&fields)[N])
{
    for (const ByteField<Record>& field : fields)
        object[field.key] = record.*field.member;
}

// The sections of a device node (of every family) and the type each must have when present.
struct SectionShape {
    const char* key;
    Json::ValueType type;
};

constexpr SectionShape kSectionShapes[] = {
    {"LightInfo", Json::objectValue},   {"AudioLightInfo", Json::objectValue}, {"LightList", Json::arrayValue},
    {"KeyList", Json::arrayValue},      {"DPIStages", Json::objectValue},      {"SystemStages", Json::objectValue},
    {"ReportStages", Json::objectValue},
};

bool IsWrongShaped(const Json::Value& node, const SectionShape& shape)
{
    const Json::Value& section = node[shape.key];
    return !section.isNull() && section.type() != shape.type;
}

// What a save keeps of a document: an object whose "Device", when there, is an array.
bool IsSavableDocument(const Json::Value& document)
{
    return document.isObject() && (document["Device"].isNull() || document["Device"].isArray());
}

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
    if (node.isNull() || path.empty() || IsDefaultProfile(path))
        return -1;
    UserDocument read = m_json.ReadUserDocument(path, IsSavableDocument);
    if (!read.MayReplace())
        return -1;
    Json::Value document = read.document;
    if (!read.IsUsable())
        RestoreIdentity(document, path);
    PutDeviceNode(document, node);
    return m_json.WriteJsonDocument(path, document);
}

int CBasicProfiledata::SaveOtherProfile(const std::string& path)
{
    return SaveDeviceNode(m_otherNode, path);
}

int CBasicProfiledata::WriteDocument(const Json::Value& document, const std::string& path)
{
    if (IsDefaultProfile(path))
        return -1;
    return m_json.WriteJsonDocument(path, document);
}

bool CBasicProfiledata::IsDefaultProfile(const std::string& path) const
{
    return path == m_defaultProfilePath || JsonFile::IsInProgramFolder(path);
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
    // The default profile is the program's own data: read, never repaired, never written.
    if (path.empty() || IsDefaultProfile(path)) {
        node = DeviceNodeOf(m_json.ReadJsonDocument(path.empty() ? m_defaultProfilePath : path));
        return node;
    }
    UserDocument read = m_json.ReadUserDocument(path, [this](const Json::Value& document) {
        return IsSavableDocument(document) && IsWellShapedNode(DeviceNodeOf(document));
    });
    Json::Value document = read.document;
    // The file is kept aside by now; sections of the wrong type read as missing from here on.
    node = UsableNodeOf(document);
    if (node.isNull()) {
        node = DeviceNodeOf(m_json.ReadJsonDocument(m_defaultProfilePath));
        if (read.MayReplace()) {
            RestoreIdentity(document, path);
            PutDeviceNode(document, node);
            m_json.WriteJsonDocument(path, document);
        }
    }
    return node;
}

Json::Value CBasicProfiledata::UsableNodeOf(const Json::Value& document) const
{
    Json::Value node = DeviceNodeOf(document);
    for (const SectionShape& shape : kSectionShapes) {
        if (node.isObject() && IsWrongShaped(node, shape))
            node.removeMember(shape.key);
    }
    return node;
}

Json::Value CBasicProfiledata::TakeDocument(const Json::Value& document)
{
    m_fields.ResetRepairs();
    m_currentNode = UsableNodeOf(document);
    m_otherNode = m_currentNode;
    return m_currentNode;
}

bool CBasicProfiledata::IsWellShapedNode(const Json::Value& node)
{
    if (!node.isObject())
        return false;
    for (const SectionShape& shape : kSectionShapes) {
        if (IsWrongShaped(node, shape))
            return false;
    }
    const Json::Value& stages = node["DPIStages"];
    return stages.isNull() || stages["StageDPIs"].isNull() || stages["StageDPIs"].isArray();
}

void CBasicProfiledata::RestoreIdentity(Json::Value& document, const std::string& path) const
{
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    // A profile's identifier is its file's name; the name itself lives in the profile list.
    const std::string id = JsonFile::BaseFileName(path);
    if (!std::as_const(document)["profileUUID"].isString() && JsonFile::IsProfileId(id))
        document["profileUUID"] = id;
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
    TakeLightConfig(m_json.InspectUserDocument(path).document);
    return m_lightConfig;
}

LightInfo CBasicProfiledata::GetLightInfo()
{
    Json::Value* section = JsonFieldReader::Member(m_currentNode, "LightInfo");
    if (!section || section->isNull()) {
        m_lightInfo = kFallbackLightInfo;
        return m_lightInfo;
    }
    m_lightInfo = ReadByteFields<LightInfo>(*section, kLightInfoFields, m_fields);
    return m_lightInfo;
}

void CBasicProfiledata::SetLightInfo(const LightInfo& info)
{
    m_lightInfo = info;
    PutByteFields(JsonFieldReader::ObjectMember(m_currentNode, "LightInfo"), info, kLightInfoFields);
}

AudioLightInfo CBasicProfiledata::GetAudioLightInfo()
{
    Json::Value* section = JsonFieldReader::Member(m_currentNode, "AudioLightInfo");
    AudioLightInfo info;
    if (section && !section->isNull()) {
        info = ReadByteFields<AudioLightInfo>(*section, kAudioLightInfoFields, m_fields);
        info.colorTypeFlag = 1; // the panel always opens on the foreground colour
    }
    m_audioLightInfo = info;
    return info;
}

void CBasicProfiledata::SetAudioLightInfo(const AudioLightInfo& info)
{
    m_audioLightInfo = info;
    PutByteFields(JsonFieldReader::ObjectMember(m_currentNode, "AudioLightInfo"), info, kAudioLightInfoFields);
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
            list[i] = ReadByteFields<LightListEntry>(element, kLightListFields, m_fields);
            list[i].valid = element.isObject() ? 1 : 0;
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
    std::string path = LightEffectFilePath();
    return LightEffectStepsOf(path.empty() ? Json::Value() : m_json.InspectUserDocument(path).document);
}

std::vector<LightEffectStep> CBasicProfiledata::LightEffectStepsOf(const Json::Value& effectDocument)
{
    std::vector<LightEffectStep> steps;
    Json::Value document = effectDocument;
    Json::Value* frames = JsonFieldReader::Member(document, "LEDEffectList");
    if (frames && frames->isArray()) {
        steps.resize(BoundedSize(*frames, kMaxEffectSteps, m_fields));
        for (Json::ArrayIndex i = 0; i < steps.size(); ++i) {
            Json::Value& element = (*frames)[i];
            steps[i] = ReadByteFields<LightEffectStep>(element, kLightEffectStepFields, m_fields);
            steps[i].time = m_fields.Int(JsonFieldReader::Lookup(element, "Time"), 0, INT_MAX);
            steps[i].cycles = m_fields.Int(JsonFieldReader::Lookup(element, "Cyle"), 0, INT_MAX);
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
