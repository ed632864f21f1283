#pragma once

#include <json/value.h>

#include <string>

// Reads and writes the program's JSON files whole, and makes the time-stamp identifiers that
// name profile files. Stateless: owners keep one by value.
class JsonFile {
public:
    // Files beyond this size are not the program's and read as empty.
    static constexpr long kMaxFileSize = 4 * 1024 * 1024;
    // Deeper nesting than this is refused as malformed.
    static constexpr int kMaxNesting = 200;

    // The whole file as bytes up to its first zero byte; empty when missing, unreadable,
    // too large or changed while being read.
    std::string readjsonFile(const std::string& path) const;
    // The parsed document, or null when the file is empty, missing or not valid JSON.
    Json::Value ReadJsonDocument(const std::string& path) const;
    // Replaces the file with the value's styled text and a line end, atomically: on any failure
    // the old file stays as it was. 0 on success, -1 when nothing could be written.
    int WriteJsonDocument(const std::string& path, const Json::Value& value) const;
    // Parses text as the program reads its files; null on any error.
    static Json::Value ParseJson(const std::string& text);

    // "YYYY_MM_DD_hh_mm_ss_mmm" of the local time. Never returns the same identifier twice in
    // one process: a second call within the same millisecond moves on to the next millisecond.
    std::string MakeProfileId() const;
    // True for text MakeProfileId can produce (digits and underscores in its shape); identifiers
    // read from files become file names, so nothing else is accepted.
    static bool IsProfileId(const std::string& id);
    // The file name of path without folder and extension.
    static std::string BaseFileName(const std::string& path);
};
