#include "profile/FilePaths.h"

#include "profile/JsonFile.h"
#include "profile/StringUtils.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string FilePaths::FolderOf(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool FilePaths::IsDirectlyIn(const std::string& path, const std::string& folder)
{
    std::error_code error;
    auto target = std::filesystem::weakly_canonical(FolderOf(path), error);
    if (error)
        return false;
    auto own = std::filesystem::weakly_canonical(folder, error);
    return !error && target == own;
}

bool FilePaths::IsFileOfAtMost(const std::string& path, std::uintmax_t maxBytes)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size <= maxBytes;
}

std::vector<FilePaths::IdentifiedFile> FilePaths::IdentifiedFiles(const std::string& folder, const std::string& extension,
                                                                  const std::function<bool(const Json::Value&)>& accept,
                                                                  const char* nameKey, const std::string& fallbackPrefix,
                                                                  size_t limit)
{
    std::vector<IdentifiedFile> files;
    JsonFile json;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
        std::string file = item.path().filename().string();
        std::string id = JsonFile::BaseFileName(file);
        if (file != id + extension || !JsonFile::IsProfileId(id))
            continue;
        Json::Value document = json.InspectUserDocument(item.path().string()).document;
        if (!accept(document))
            continue;
        const Json::Value& name = document.isObject() ? document[nameKey] : Json::Value::nullSingleton();
        files.push_back({id, name.isString() ? name.asString() : ""});
    }
    std::sort(files.begin(), files.end(), [](const IdentifiedFile& a, const IdentifiedFile& b) { return a.id < b.id; });
    if (files.size() > limit)
        files.resize(limit);
    for (size_t i = 0; i < files.size(); ++i) {
        if (IsBlankName(files[i].name))
            files[i].name = fallbackPrefix + std::to_string(i + 1);
    }
    return files;
}
