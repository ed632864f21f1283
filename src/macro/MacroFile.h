#pragma once

#include "macro/MacroEvent.h"
#include "profile/JsonFieldReader.h"

#include <json/value.h>

#include <string>
#include <vector>

// A macro file "<Guid>.mac" (and the event list of a recoil pattern file "ShootData_<n>.Shoot"):
//   {"MacroName": text, "Guid": text, "Events": [MacroEvent...], "Version": 64}
// Only "Events" is read back; name and Guid inside the file are informative.
class MacroFile {
public:
    static constexpr size_t kMaxReadEvents = 4096;
    static constexpr int kVersion = 64;

    // True for a document whose "Events" is an array: a macro at all.
    static bool IsMacroDocument(const Json::Value& document);
    // The steps of a document's "Events", at most kMaxReadEvents; elements that are no step are
    // left out. Empty for a document that is no macro.
    static std::vector<MacroEvent> EventsOf(const Json::Value& document, JsonFieldReader& fields);
    // The steps of the file at path; empty when it is missing or broken.
    static std::vector<MacroEvent> ReadEvents(const std::string& path, JsonFieldReader& fields);
    // The document the editor saves.
    static Json::Value Document(const std::string& name, const std::string& guid, const std::vector<MacroEvent>& events);
};
