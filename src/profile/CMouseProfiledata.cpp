#include "profile/CMouseProfiledata.h"

#include <algorithm>

namespace {

// Where each word of MouseSystemSettings lives: section and key; word 9 is stored nowhere.
struct SystemWordKey {
    MouseSystemSettings::Word word;
    const char* section;
    const char* key;
};

constexpr const char kSystemStages[] = "SystemStages";
constexpr const char kReportStages[] = "ReportStages";

constexpr SystemWordKey kSystemWordKeys[] = {
    {MouseSystemSettings::DoubleClickTime, kSystemStages, "DoubleClickTime"},
    {MouseSystemSettings::MouseSpeed, kSystemStages, "MouseSpeed"},
    {MouseSystemSettings::PointerPrecision, kSystemStages, "PointerPrecision"},
    {MouseSystemSettings::ScrollPage, kSystemStages, "ScorllPage"},
    {MouseSystemSettings::WheelScrollLines, kSystemStages, "WheelScorlllinse"},
    {MouseSystemSettings::LogoLedMode, kSystemStages, "Logoledmode"},
    {MouseSystemSettings::ReportRate, kReportStages, "StageActive"},
    {MouseSystemSettings::SilentAltitude, kReportStages, "SilentAltitude"},
    {MouseSystemSettings::LinearCalibration, kReportStages, "Linear_Calibration"},
    {MouseSystemSettings::Ripple, kReportStages, "Ripple"},
    {MouseSystemSettings::BleSleep1, kReportStages, "ble_sleep1"},
    {MouseSystemSettings::BleSleep2, kReportStages, "ble_sleep2"},
    {MouseSystemSettings::DeviceSleep1, kReportStages, "device_sleep1"},
    {MouseSystemSettings::DeviceSleep2, kReportStages, "device_sleep2"},
    {MouseSystemSettings::KeyDebounceTime, kReportStages, "key_debounce_time"},
};

bool IsPresent(const Json::Value* section)
{
    return section && !section->isNull();
}

} // namespace

std::vector<DpiStage> CMouseProfiledata::GetDpiStages()
{
    std::vector<DpiStage> read;
    JsonFieldReader& fields = Fields();
    Json::Value* section = JsonFieldReader::Member(CurrentNode(), "DPIStages");
    if (IsPresent(section)) {
        if (!section->isObject())
            fields.NoteRepair();
        m_activeStage = fields.Int(JsonFieldReader::Lookup(*section, "StageActive"), 0, kMaxDpiStages - 1);
        Json::Value* array = JsonFieldReader::Member(*section, "StageDPIs");
        if (IsPresent(array) && !array->isArray())
            fields.NoteRepair();
        for (Json::ArrayIndex i = 0; array && array->isArray() && i < array->size(); ++i) {
            if (i == kMaxDpiStages) {
                fields.NoteRepair();
                break;
            }
            Json::Value& element = (*array)[i];
            auto field = [&](const char* key) -> const Json::Value& { return JsonFieldReader::Lookup(element, key); };
            DpiStage stage;
            stage.enabled = static_cast<uint8_t>(fields.Int(field("StageActive"), 0, 1));
            stage.blue = fields.Byte(field("StageColorB"));
            stage.green = fields.Byte(field("StageColorG"));
            stage.red = fields.Byte(field("StageColorR"));
            stage.xyMode = static_cast<uint8_t>(fields.Int(field("StageXY"), 0, 1));
            stage.dpiX = fields.Word(field("StageDPIX"));
            stage.dpiY = fields.Word(field("StageDPIY"));
            read.push_back(stage);
        }
    }
    for (size_t j = 0; j < read.size(); ++j) {
        if (j < m_stages.size())
            m_stages[j] = read[j];
        else
            m_stages.push_back(read[j]);
    }
    return m_stages;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages)
{
    m_stages.assign(stages.begin(), stages.begin() + std::min(stages.size(), kMaxDpiStages));
    Json::Value& array = JsonFieldReader::ArrayMember(JsonFieldReader::ObjectMember(CurrentNode(), "DPIStages"), "StageDPIs");
    for (Json::ArrayIndex i = 0; i < m_stages.size(); ++i) {
        Json::Value& element = JsonFieldReader::ObjectElement(array, i);
        const DpiStage& stage = m_stages[i];
        element["StageActive"] = stage.enabled;
        element["StageXY"] = stage.xyMode;
        element["StageDPIX"] = stage.dpiX;
        element["StageDPIY"] = stage.dpiY;
        element["StageColorR"] = stage.red;
        element["StageColorG"] = stage.green;
        element["StageColorB"] = stage.blue;
    }
}

void CMouseProfiledata::SetActiveStage(int stage)
{
    m_activeStage = std::clamp(stage, 0, static_cast<int>(kMaxDpiStages) - 1);
    JsonFieldReader::ObjectMember(CurrentNode(), "DPIStages")["StageActive"] = m_activeStage;
}

MouseSystemSettings CMouseProfiledata::GetMouseSystem()
{
    MouseSystemSettings settings;
    Json::Value* system = JsonFieldReader::Member(CurrentNode(), kSystemStages);
    if (IsPresent(system)) {
        // The report section counts only beside a system section.
        Json::Value* report = JsonFieldReader::Member(CurrentNode(), kReportStages);
        for (const SystemWordKey& location : kSystemWordKeys) {
            Json::Value* section = location.section == kSystemStages ? system : report;
            if (!IsPresent(section))
                continue;
            settings.words[location.word] = Fields().Word(JsonFieldReader::Lookup(*section, location.key));
        }
    }
    m_system = settings;
    return settings;
}

void CMouseProfiledata::SetMouseSystem(const MouseSystemSettings& settings)
{
    m_system = settings;
    for (const SystemWordKey& location : kSystemWordKeys)
        JsonFieldReader::ObjectMember(CurrentNode(), location.section)[location.key] = settings.words[location.word];
}
