#pragma once

#include "profile/JsonFieldReader.h"
#include "profile/JsonFile.h"
#include "profile/ProfileRecords.h"

#include <json/value.h>

#include <string>
#include <vector>

// The profile object of one device: the device node of the active profile file in memory, turned
// into typed records for the device model and back. Getters read the node and keep what they
// return; setters change the node in memory only; the file changes in SaveDeviceNode (through
// SaveProfile or SaveOtherProfile), in WriteDocument and when LoadProfile repairs a file that
// has no device node.
//
// Files are untrusted: a value of the wrong type reads as the field's default (0 or empty), a
// number outside its field's range is clamped into it, lists are bounded, and a section of the
// wrong type is replaced whole when a setter writes into it. RepairCount tells how many such
// repairs (missing values included) the getters made since the last load.
//
// Sections: paths and document; common records (light, audio light, light list, effect steps,
// key list); file access.
class CBasicProfiledata {
public:
    static constexpr int kMaxDeviceIndex = 7;
    static constexpr size_t kMaxKeys = 256;
    static constexpr size_t kMaxLights = 256;
    static constexpr size_t kMaxEffectSteps = 1024;
    static constexpr int kMaxBrightness = 4;
    static constexpr int kMaxSpeed = 4;
    // What GetLightInfo gives for a node without "LightInfo".
    static constexpr LightInfo kFallbackLightInfo {};

    // SaveDeviceNode(current node, profile path); 0 when written, -1 when not.
    virtual int SaveProfile();
    // Re-reads the document at path, replaces only its "Device"[device index] with node and
    // writes it back; other members survive, and a document that is no longer usable is kept
    // aside first. -1 (nothing written) for a null node, an empty path or the default profile.
    virtual int SaveDeviceNode(const Json::Value& node, const std::string& path);
    // SaveDeviceNode(other node, path).
    virtual int SaveOtherProfile(const std::string& path);
    // Writes document to path unchanged; 0 or -1 (never over the default profile).
    virtual int WriteDocument(const Json::Value& document, const std::string& path);

    // An empty path leaves the profile path unchanged.
    void SetProfilePath(const std::string& path);
    const std::string& GetProfilePath() const { return m_profilePath; }
    // An empty path leaves the default profile path unchanged.
    void SetDefaultProfilePath(const std::string& path);
    const std::string& GetDefaultProfilePath() const { return m_defaultProfilePath; }
    void SetLightConfigPath(const std::string& path) { m_lightConfigPath = path; }
    const std::string& GetLightConfigPath() const { return m_lightConfigPath; }
    // Clamped to 0..kMaxDeviceIndex.
    void SetDeviceIndex(int index);
    int GetDeviceIndex() const { return m_deviceIndex; }

    // Makes the device node of path current and returns a copy. A file that is not usable as it
    // stands is kept aside first; one without a usable node (missing, broken, or no object there)
    // then gets the default profile's node written into it, keeping its other members, and a
    // section of the wrong type reads as missing. The default profile file is never written.
    Json::Value LoadProfile(const std::string& path);
    // The same into the other node.
    Json::Value LoadOtherProfile(const std::string& path);
    // Makes the device node of a parsed document current as LoadProfile does with a file's,
    // without reading or writing any file; returns a copy (null when the document has none).
    Json::Value TakeDocument(const Json::Value& document);
    // The light configuration document ("tavix_light.config"); null when missing or broken.
    Json::Value LoadLightConfig(const std::string& path);
    // The same from a parsed document.
    void TakeLightConfig(const Json::Value& document) { m_lightConfig = document; }

    LightInfo GetLightInfo();
    // Writes the record's keys into the node's "LightInfo"; members the program does not know stay.
    void SetLightInfo(const LightInfo& info);
    // The colour-type flag always reads as 1.
    AudioLightInfo GetAudioLightInfo();
    void SetAudioLightInfo(const AudioLightInfo& info);
    std::vector<LightListEntry> GetLightList();
    // The frames of the custom effect that the current LightInfo selects, from the ".light" file
    // named by the light configuration's "Guid", in the light configuration's folder.
    std::vector<LightEffectStep> GetLightEffectSteps();
    // The frames of a parsed effect document.
    std::vector<LightEffectStep> LightEffectStepsOf(const Json::Value& effectDocument);
    std::vector<KeyAssignment> GetKeyList();
    // Writes "Assignment" of element i for every position i of the list; "DefaultAssignment" and
    // later elements stay as they are.
    void SetKeyList(const std::vector<KeyAssignment>& keys);
    std::vector<KeyAssignment> GetOtherKeyList();
    void SetOtherKeyList(const std::vector<KeyAssignment>& keys);

    // Values the getters had to default or clamp since the last LoadProfile.
    int RepairCount() const { return m_fields.Repairs(); }

protected:
    Json::Value& CurrentNode() { return m_currentNode; }
    JsonFieldReader& Fields() { return m_fields; }

private:
    Json::Value LoadNodeInto(const std::string& path, Json::Value& node);
    // Device[i] of a document that was read, with sections of the wrong type taken out.
    Json::Value UsableNodeOf(const Json::Value& document) const;
    // The default profile (or any file of the program folder), which is never written.
    bool IsDefaultProfile(const std::string& path) const;
    // True for an object whose known sections have their types.
    static bool IsWellShapedNode(const Json::Value& node);
    // A repaired document names its profile again: "profileUUID" from the file name.
    void RestoreIdentity(Json::Value& document, const std::string& path) const;
    Json::Value DeviceNodeOf(const Json::Value& document) const;
    void PutDeviceNode(Json::Value& document, const Json::Value& node) const;
    std::vector<KeyAssignment> ReadKeyList(Json::Value& node);
    void WriteKeyList(Json::Value& node, const std::vector<KeyAssignment>& keys);
    KeyFunction ReadKeyFunction(const Json::Value& value, KeyFunction fallback);
    std::string LightEffectFilePath() const;

    std::string m_profilePath;
    std::string m_defaultProfilePath;
    LightInfo m_lightInfo;
    AudioLightInfo m_audioLightInfo;
    std::vector<LightListEntry> m_lightList;
    Json::Value m_currentNode;
    JsonFile m_json;
    Json::Value m_otherNode;
    std::string m_lightConfigPath;
    std::vector<LightEffectStep> m_lightEffectSteps;
    Json::Value m_lightConfig;
    std::vector<KeyAssignment> m_keyList;
    std::vector<KeyAssignment> m_otherKeyList;
    int m_deviceIndex = 0;
    JsonFieldReader m_fields;
};
