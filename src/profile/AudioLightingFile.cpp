#include "profile/AudioLightingFile.h"

#include "profile/JsonFile.h"

bool AudioLightingFile::IsAudioDocument(const Json::Value& document)
{
    return document.isObject() && !document["Device"].isNull();
}

Json::Value AudioLightingFile::ReadOrCopyDefault(const std::string& userPath, const std::string& defaultPath)
{
    JsonFile json;
    UserDocument read = json.ReadUserDocument(userPath, IsAudioDocument);
    if (read.IsUsable())
        return read.document;
    Json::Value document = json.ReadJsonDocument(defaultPath);
    if (!IsAudioDocument(document))
        return Json::Value();
    if (read.MayReplace())
        json.WriteJsonDocument(userPath, document);
    return document;
}
