#include "profile/JsonFile.h"

#include "platform/AtomicFile.h"
#include "platform/DebugOutput.h"
#include "platform/FileAccess.h"
#include "platform/Folders.h"

#include <json/reader.h>
#include <json/writer.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>

namespace {

using platform::FileAccess;

// The file's bytes up to the first zero byte, and what the read found.
FileAccess::ReadStatus ReadText(const std::string& path, long maxBytes, FileAccess::Links links, std::string& text)
{
    FileAccess::ReadStatus status = FileAccess::ReadWhole(path, maxBytes, links, text);
    platform::DebugOutput("readjsonFile status: " + std::to_string(static_cast<int>(status)) + " " + path);
    text.resize(std::strlen(text.c_str()));
    return status;
}

unsigned HexValue(char c)
{
    return c <= '9' ? static_cast<unsigned>(c - '0') : static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

// The code unit of "\uXXXX" starting at text[at], or -1 when there is none.
long EscapedUnit(const std::string& text, size_t at)
{
    if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u')
        return -1;
    unsigned unit = 0;
    for (size_t i = at + 2; i < at + 6; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return -1;
        unit = unit << 4 | HexValue(text[i]);
    }
    return unit;
}

void AppendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

// The styled writer escapes every character past ASCII; such escapes (and only those) become
// UTF-8 again. Outside strings the writer emits no backslash, so every backslash starts an escape.
std::string UnescapeNonAscii(const std::string& styled)
{
    std::string out;
    out.reserve(styled.size());
    for (size_t i = 0; i < styled.size();) {
        if (styled[i] != '\\') {
            out += styled[i++];
            continue;
        }
        long unit = EscapedUnit(styled, i);
        if (unit < 0x80) {
            out.append(styled, i, 2); // another escape, or a control character: kept as written
            i += 2;
            continue;
        }
        unsigned long code = static_cast<unsigned long>(unit);
        size_t length = 6;
        long low = EscapedUnit(styled, i + 6);
        if (unit >= 0xD800 && unit < 0xDC00 && low >= 0xDC00 && low < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + static_cast<unsigned long>(low - 0xDC00);
            length = 12;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            out.append(styled, i, 6); // a lone surrogate has no UTF-8 form
            i += 6;
            continue;
        }
        AppendUtf8(out, code);
        i += length;
    }
    return out;
}

} // namespace

std::string JsonFile::readjsonFile(const std::string& path) const
{
    std::string text;
    ReadText(path, kMaxFileSize, FileAccess::Links::FollowAny, text);
    return text;
}

UserDocument JsonFile::InspectUserDocument(const std::string& path, const ShapeCheck& accept, long maxBytes) const
{
    UserDocument result;
    std::string text;
    FileAccess::ReadStatus status = ReadText(path, maxBytes, FileAccess::Links::StayInFolder, text);
    if (status == FileAccess::ReadStatus::Missing)
        return result;
    result.document = text.empty() ? Json::Value() : ParseJson(text);
    bool usable = status == FileAccess::ReadStatus::Read && !result.document.isNull() && accept(result.document);
    result.state = usable ? UserFileState::Usable : UserFileState::Unusable;
    return result;
}

UserDocument JsonFile::ReadUserDocument(const std::string& path, const ShapeCheck& accept, long maxBytes) const
{
    UserDocument result = InspectUserDocument(path, accept, maxBytes);
    if (result.state == UserFileState::Unusable) {
        result.keptAside = platform::AtomicFile::KeepAside(path);
        platform::DebugOutput("unusable file " + path + " kept as " + result.keptAside);
    }
    return result;
}

Json::Value JsonFile::ParseJson(const std::string& text)
{
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    builder["stackLimit"] = kMaxNesting;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors))
            return Json::Value();
    } catch (const std::exception&) {
        return Json::Value(); // nesting past the stack limit
    }
    return root;
}

Json::Value JsonFile::ReadJsonDocument(const std::string& path) const
{
    std::string text = readjsonFile(path);
    if (text.empty()) {
        platform::DebugOutput(path);
        return Json::Value();
    }
    return ParseJson(text);
}

std::string JsonFile::StyledText(const Json::Value& value)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // The files' form since their first version; StreamWriterBuilder indents and breaks differently.
    Json::StyledWriter writer;
    return UnescapeNonAscii(writer.write(value));
#pragma GCC diagnostic pop
}

bool JsonFile::IsInProgramFolder(const std::string& path)
{
    std::error_code error;
    auto program = std::filesystem::weakly_canonical(platform::Folders::ProgramFolder(), error);
    if (error || program.empty())
        return false;
    auto target = std::filesystem::weakly_canonical(std::filesystem::absolute(path, error).parent_path(), error);
    auto [end, unused] = std::mismatch(program.begin(), program.end(), target.begin(), target.end());
    (void)unused;
    return !error && end == program.end();
}

int JsonFile::WriteJsonDocument(const std::string& path, const Json::Value& value) const
{
    if (path.empty() || IsInProgramFolder(path)) {
        platform::DebugOutput("WriteJsonDocument refused: " + path);
        return -1;
    }
    std::string text = StyledText(value) + "\n";
    if (platform::AtomicFile::WriteWhole(path, text))
        return 0;
    platform::DebugOutput("WriteJsonDocument failed: " + path);
    return -1;
}

std::string JsonFile::MakeProfileId() const
{
    using namespace std::chrono;
    static std::mutex lock;
    static milliseconds lastIssued{0};

    std::lock_guard guard(lock);
    milliseconds now = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    if (now <= lastIssued)
        now = lastIssued + milliseconds(1);
    lastIssued = now;

    std::time_t seconds = static_cast<std::time_t>(duration_cast<std::chrono::seconds>(now).count());
    std::tm t {};
    localtime_r(&seconds, &t);
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%d_%02d_%02d_%02d_%02d_%02d_%03d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(now.count() % 1000));
    return buffer;
}

bool JsonFile::IsProfileId(const std::string& id)
{
    if (id.empty() || id.size() > 64 || id.front() == '_' || id.back() == '_')
        return false;
    for (size_t i = 0; i < id.size(); ++i) {
        char c = id[i];
        bool digit = c >= '0' && c <= '9';
        if (!digit && (c != '_' || id[i - 1] == '_'))
            return false;
    }
    return true;
}

std::string JsonFile::BaseFileName(const std::string& path)
{
    auto slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}
