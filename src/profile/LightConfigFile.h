#pragma once

#include "profile/JsonFieldReader.h"
#include "profile/JsonFile.h"
#include "profile/ProfileRecords.h"

#include <json/value.h>

#include <string>
#include <vector>

// The custom light effects of a device folder: the light configuration "tavix_light.config"
// lists them per family ("LightInfo"[family] = [{"LightName", "Guid"}]), and each one's frames
// sit beside it in "<Guid>.light" ({"LEDEffectList": [...]}). Both files are untrusted: an
// identifier becomes a file name only when it is one plain name that stays in the folder, and a
// file that cannot be used is kept aside before it is replaced. Rewrites keep every member the
// program does not know.
class LightConfigFile {
public:
    static constexpr const char* kFileName = "tavix_light.config";
    static constexpr const char* kEffectExtension = ".light";
    static constexpr size_t kMaxIdBytes = 200;
    static constexpr size_t kMaxEffects = 128;
    static constexpr size_t kMaxSteps = 1024;
    static constexpr int kMaxFamily = 7;

    struct Effect {
        std::string name; // shown as it is, never translated
        std::string id;   // the "Guid": its frames are "<id>.light"
    };

    // folder: the device folder holding the light configuration (no trailing '/').
    explicit LightConfigFile(std::string folder);

    // True for an identifier that may name a file: not empty, at most kMaxIdBytes, no '/', '\\',
    // "..", control character or NUL.
    static bool IsEffectId(const std::string& id);
    // The frame file of id in folder; empty when id is refused or the file is a link that leads
    // out of the folder.
    static std::string EffectPath(const std::string& folder, const std::string& id);
    // The frames of a ".light" document, at most kMaxSteps; values out of range are clamped.
    static std::vector<LightEffectStep> StepsOf(Json::Value& document, JsonFieldReader& fields);
    // The ".light" document of steps.
    static Json::Value DocumentOf(const std::vector<LightEffectStep>& steps);
    // The effects listed for family in a light configuration document (at most kMaxEffects);
    // entries that are no objects read as an empty name and id.
    static std::vector<Effect> EffectsOf(const Json::Value& document, int family);

    std::string ConfigPath() const { return m_folder + "/" + kFileName; }
    const std::string& Folder() const { return m_folder; }
    // The effects of family as the file lists them; empty when the file is missing or broken.
    std::vector<Effect> Effects(int family) const;
    // The frames of effect id; empty when id is refused or its file is missing or broken.
    std::vector<LightEffectStep> ReadSteps(const std::string& id) const;

    // Stores steps as the effect called name of family: an effect of that name gets its frames
    // replaced, otherwise a new identifier is made and the effect appended. The index of the
    // effect in the family's list, or -1 when nothing changed (full list, empty steps, a file
    // that could neither be read nor kept aside, or a failed write).
    int SaveEffect(int family, const std::string& name, const std::vector<LightEffectStep>& steps);
    // Takes effect index out of family's list; its frame file goes too when no other entry names
    // it. 0, or -1 when there is no such effect or the configuration could not be written.
    int RemoveEffect(int family, int index);

    // The configuration document; null when missing, broken or a link out of the folder.
    Json::Value ReadConfig() const;

private:
    // The configuration document for a rewrite: an object, or null when the file exists, cannot
    // be used and could not be kept aside (it must not be replaced then).
    Json::Value DocumentForRewrite() const;
    int WriteSteps(const std::string& id, const std::vector<LightEffectStep>& steps) const;
    std::string NewId() const;

    std::string m_folder;
    JsonFile m_json;
};
