#include "profile/LightConfigFile.h"

#include "platform/AtomicFile.h"
#include "profile/FilePaths.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kLightInfo = "LightInfo";
constexpr const char* kEffectList = "LEDEffectList";
constexpr const char* kName = "LightName";
constexpr const char* kGuid = "Guid";

// One byte of a frame and its key; high is the largest value the field takes.
struct StepField {
    const char* key;
    uint8_t LightEffectStep::*member;
    int high;
};

constexpr StepField kStepFields[] = {
    {"LEDREGMode", &LightEffectStep::mode, 0xFF},
    {"LEDBrightness", &LightEffectStep::brightness, 4},
    {"LEDSpeed", &LightEffectStep::speed, 4},
    {"LEDDirection", &LightEffectStep::direction, 0xFF},
    {"LEDMultiColor", &LightEffectStep::multiColor, 1},
    {"red", &LightEffectStep::red, 0xFF},
    {"green", &LightEffectStep::green, 0xFF},
    {"blue", &LightEffectStep::blue, 0xFF},
};

bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// A file that is there but holds no usable document is kept aside; false when it could not be.
bool KeepAsideWhenUnusable(const std::string& path, bool usable)
{
    return usable || !Exists(path) || !platform::AtomicFile::KeepAside(path).empty();
}

// True when path, after its links, is a file directly in folder.
bool StaysIn(const std::string& path, const std::string& folder)
{
    std::error_code error;
    const auto own = std::filesystem::weakly_canonical(folder, error);
    if (error)
        return false;
    const auto target = std::filesystem::weakly_canonical(path, error);
    return !error && target.parent_path() == own;
}

bool IsFamily(int family)
{
    return family >= 0 && family <= LightConfigFile::kMaxFamily;
}

} // namespace

LightConfigFile::LightConfigFile(std::string folder) : m_folder(std::move(folder)) {}

bool LightConfigFile::IsEffectId(const std::string& id)
{
    if (id.empty() || id.size() > kMaxIdBytes || id.find("..") != std::string::npos)
        return false;
    return std::none_of(id.begin(), id.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}

std::string LightConfigFile::EffectPath(const std::string& folder, const std::string& id)
{
    if (!IsEffectId(id))
        return {};
    const std::string path = folder + "/" + id + kEffectExtension;
    // A link may point elsewhere in the folder, never out of it.
    return StaysIn(path, folder) ? path : std::string();
}

std::vector<LightEffectStep> LightConfigFile::StepsOf(Json::Value& document, JsonFieldReader& fields)
{
    std::vector<LightEffectStep> steps;
    Json::Value* frames = JsonFieldReader::Member(document, kEffectList);
    if (!frames || !frames->isArray())
        return steps;
    if (frames->size() > kMaxSteps)
        fields.NoteRepair();
    steps.resize(std::min<size_t>(frames->size(), kMaxSteps));
    for (Json::ArrayIndex i = 0; i < steps.size(); ++i) {
        Json::Value& element = (*frames)[i];
        if (!element.isObject())
            fields.NoteRepair();
        for (const StepField& field : kStepFields)
            steps[i].*field.member = static_cast<uint8_t>(fields.Int(JsonFieldReader::Lookup(element, field.key), 0, field.high));
        steps[i].time = fields.Int(JsonFieldReader::Lookup(element, "Time"), 0, INT_MAX);
        steps[i].cycles = fields.Int(JsonFieldReader::Lookup(element, "Cyle"), 0, INT_MAX);
    }
    return steps;
}

Json::Value LightConfigFile::DocumentOf(const std::vector<LightEffectStep>& steps)
{
    Json::Value frames(Json::arrayValue);
    for (const LightEffectStep& step : steps) {
        Json::Value frame(Json::objectValue);
        for (const StepField& field : kStepFields)
            frame[field.key] = static_cast<int>(step.*field.member);
        frame["Time"] = step.time;
        frame["Cyle"] = step.cycles;
        frames.append(frame);
    }
    Json::Value document(Json::objectValue);
    document[kEffectList] = frames;
    return document;
}

std::vector<LightConfigFile::Effect> LightConfigFile::EffectsOf(const Json::Value& document, int family)
{
    std::vector<Effect> effects;
    if (!document.isObject() || !IsFamily(family))
        return effects;
    const Json::Value& families = document[kLightInfo];
    if (!families.isArray() || families.size() <= static_cast<Json::ArrayIndex>(family))
        return effects;
    const Json::Value& list = families[static_cast<Json::ArrayIndex>(family)];
    if (!list.isArray())
        return effects;
    for (Json::ArrayIndex i = 0; i < list.size() && effects.size() < kMaxEffects; ++i) {
        const Json::Value& entry = list[i];
        Effect effect;
        if (entry.isObject() && entry[kName].isString())
            effect.name = entry[kName].asString();
        if (entry.isObject() && entry[kGuid].isString())
            effect.id = entry[kGuid].asString();
        effects.push_back(effect);
    }
    return effects;
}

Json::Value LightConfigFile::ReadConfig() const
{
    if (m_folder.empty())
        return {};
    const std::string path = ConfigPath();
    return StaysIn(path, m_folder) ? m_json.ReadJsonDocument(path) : Json::Value();
}

std::vector<LightConfigFile::Effect> LightConfigFile::Effects(int family) const
{
    return EffectsOf(ReadConfig(), family);
}

std::vector<LightEffectStep> LightConfigFile::ReadSteps(const std::string& id) const
{
    const std::string path = EffectPath(m_folder, id);
    if (path.empty())
        return {};
    Json::Value document = m_json.ReadJsonDocument(path);
    JsonFieldReader fields;
    return StepsOf(document, fields);
}

Json::Value LightConfigFile::DocumentForRewrite() const
{
    const std::string path = ConfigPath();
    Json::Value document = ReadConfig();
    if (!KeepAsideWhenUnusable(path, document.isObject()))
        return {};
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    return document;
}

int LightConfigFile::WriteSteps(const std::string& id, const std::vector<LightEffectStep>& steps) const
{
    const std::string path = EffectPath(m_folder, id);
    if (path.empty())
        return -1;
    const Json::Value old = m_json.ReadJsonDocument(path);
    if (!KeepAsideWhenUnusable(path, old.isObject() && old[kEffectList].isArray()))
        return -1;
    return m_json.WriteJsonDocument(path, DocumentOf(steps));
}

std::string LightConfigFile::NewId() const
{
    // Identifiers are time stamps; one already used by a file here is skipped.
    std::string id = m_json.MakeProfileId();
    while (Exists(m_folder + "/" + id + kEffectExtension))
        id = m_json.MakeProfileId();
    return id;
}

int LightConfigFile::SaveEffect(int family, const std::string& name, const std::vector<LightEffectStep>& steps)
{
    if (m_folder.empty() || !IsFamily(family) || steps.empty() || steps.size() > kMaxSteps)
        return -1;
    Json::Value document = DocumentForRewrite();
    if (document.isNull())
        return -1;
    Json::Value& families = JsonFieldReader::ArrayMember(document, kLightInfo);
    for (Json::ArrayIndex f = families.size(); f <= static_cast<Json::ArrayIndex>(family); ++f)
        families[f] = Json::Value(Json::arrayValue);
    Json::Value& list = families[static_cast<Json::ArrayIndex>(family)];
    if (!list.isArray())
        list = Json::Value(Json::arrayValue);

    const std::vector<Effect> effects = EffectsOf(document, family);
    for (size_t i = 0; i < effects.size(); ++i) {
        if (effects[i].name == name && IsEffectId(effects[i].id))
            return WriteSteps(effects[i].id, steps) == 0 ? static_cast<int>(i) : -1;
    }
    if (list.size() >= kMaxEffects)
        return -1;
    const std::string id = NewId();
    if (WriteSteps(id, steps) != 0)
        return -1;
    Json::Value entry(Json::objectValue);
    entry[kName] = name;
    entry[kGuid] = id;
    list.append(entry);
    if (m_json.WriteJsonDocument(ConfigPath(), document) != 0) {
        std::error_code error;
        std::filesystem::remove(EffectPath(m_folder, id), error);
        return -1;
    }
    return static_cast<int>(list.size()) - 1;
}

int LightConfigFile::RemoveEffect(int family, int index)
{
    Json::Value document = ReadConfig();
    const std::vector<Effect> effects = EffectsOf(document, family);
    if (index < 0 || index >= static_cast<int>(effects.size()))
        return -1;
    Json::Value& list = document[kLightInfo][static_cast<Json::ArrayIndex>(family)];
    Json::Value kept(Json::arrayValue);
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        if (static_cast<int>(i) != index)
            kept.append(list[i]);
    }
    list = kept;
    if (m_json.WriteJsonDocument(ConfigPath(), document) != 0)
        return -1;

    const std::string& id = effects[static_cast<size_t>(index)].id;
    const Json::Value& families = document[kLightInfo];
    for (Json::ArrayIndex f = 0; f < families.size(); ++f) {
        for (const Effect& other : EffectsOf(document, static_cast<int>(f))) {
            if (other.id == id)
                return 0;
        }
    }
    if (const std::string path = EffectPath(m_folder, id); !path.empty()) {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
    return 0;
}
