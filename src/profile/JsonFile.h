#pragma once

#include <json/value.h>

#include <functional>
#include <string>

// What reading one of the user's files found.
enum class UserFileState {
    Missing,  // no file (and no link) at the path
    Usable,   // parsed, within the size limit, and of the shape its reader takes
    Unusable, // there, but truncated, not JSON, of another shape, too large, unreadable, or a
              // link out of its folder
};

// The result of reading one of the user's files.
struct UserDocument {
    UserFileState state = UserFileState::Missing;
    // The parsed document; also set when it parsed but its shape was refused, null otherwise.
    Json::Value document;
    // Where an unusable file's bytes were kept; empty when none were (or none had to be).
    std::string keptAside;

    bool IsUsable() const { return state == UserFileState::Usable; }
    // False while an unusable file's bytes exist nowhere else: the caller must not replace it.
    bool MayReplace() const { return state != UserFileState::Unusable || !keptAside.empty(); }
};

// Reads and writes the program's JSON files whole, and makes the time-stamp identifiers that
// name profile files. Stateless: owners keep one by value.
//
// The one rule for the user's files: a file that exists but cannot be used as it stands is kept
// aside beside itself (platform::AtomicFile::KeepAside) before anything repairs or replaces it.
// Readers of user files call ReadUserDocument and replace the file only when MayReplace().
class JsonFile {
public:
    // Files beyond this size are not the program's and read as empty.
    static constexpr long kMaxFileSize = 4 * 1024 * 1024;
    // Deeper nesting than this is refused as malformed.
    static constexpr int kMaxNesting = 200;
    // Decides whether a parsed document has the shape its reader takes.
    using ShapeCheck = std::function<bool(const Json::Value& document)>;

    // The whole file as bytes up to its first zero byte; empty when missing, unreadable, not a
    // regular file, too large or changed while being read.
    std::string readjsonFile(const std::string& path) const;
    // The parsed document, or null when the file is empty, missing or not valid JSON.
    Json::Value ReadJsonDocument(const std::string& path) const;
    // Reads one of the user's files without changing anything: a link out of its folder is not
    // followed (the file is then unusable); a file past maxBytes is unusable.
    UserDocument InspectUserDocument(const std::string& path, const ShapeCheck& accept = IsObject,
                                     long maxBytes = kMaxFileSize) const;
    // The same, and an unusable file is kept aside at once (once: a file already kept aside is
    // not copied again), so that the caller may repair or replace it.
    UserDocument ReadUserDocument(const std::string& path, const ShapeCheck& accept = IsObject,
                                  long maxBytes = kMaxFileSize) const;
    // Replaces the file with the value's styled text and a line end, atomically: on any failure
    // the old file stays as it was. 0 on success, -1 when nothing could be written; a path in the
    // program folder is never written.
    int WriteJsonDocument(const std::string& path, const Json::Value& value) const;
    // Parses text as the program reads its files; null on any error.
    static Json::Value ParseJson(const std::string& text);
    // The text every file is written with: JsonCpp's styled writer form (three-space indentation,
    // short arrays on one line) with non-ASCII text as UTF-8, never as \u escapes.
    static std::string StyledText(const Json::Value& value);

    static bool IsObject(const Json::Value& document) { return document.isObject(); }

    // "YYYY_MM_DD_hh_mm_ss_mmm" of the local time. Never returns the same identifier twice in
    // one process: a second call within the same millisecond moves on to the next millisecond.
    std::string MakeProfileId() const;
    // True for text MakeProfileId can produce (digits and underscores in its shape); identifiers
    // read from files become file names, so nothing else is accepted.
    static bool IsProfileId(const std::string& id);
    // The file name of path without folder and extension.
    static std::string BaseFileName(const std::string& path);
    // True when path lies in the program folder, which the program never writes.
    static bool IsInProgramFolder(const std::string& path);
};
