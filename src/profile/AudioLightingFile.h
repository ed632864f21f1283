#pragma once

#include <json/value.h>

#include <string>

// The audio-lighting file "AudioFile.json" of the user data folder: a JSON object whose
// "Device" member holds the audio-lighting settings of the selected device.
class AudioLightingFile {
public:
    // True for an object with a non-null "Device".
    static bool IsAudioDocument(const Json::Value& document);
    // The user's file; one that is missing or unusable (kept aside first) is replaced by a copy
    // of the default file. Null when neither gives a usable document.
    static Json::Value ReadOrCopyDefault(const std::string& userPath, const std::string& defaultPath);
};
