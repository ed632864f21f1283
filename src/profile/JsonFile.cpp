#include "profile/JsonFile.h"

#include "platform/AtomicFile.h"
#include "platform/DebugOutput.h"

#include <json/reader.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <sstream>

std::string JsonFile::readjsonFile(const std::string& path) const
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    platform::DebugOutput("readjsonFile error: " + std::to_string(file ? 0 : errno));
    if (!file)
        return {};
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
    if (std::fseek(file, 0, SEEK_END) != 0)
        return {};
    long size = std::ftell(file);
    if (size <= 0 || size > kMaxFileSize || std::fseek(file, 0, SEEK_SET) != 0)
        return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return {};
    bytes.resize(std::strlen(bytes.c_str()));
    return bytes;
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

int JsonFile::WriteJsonDocument(const std::string& path, const Json::Value& value) const
{
    std::string text = value.toStyledString() + "\n";
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
