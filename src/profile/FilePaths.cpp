#include "profile/FilePaths.h"

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
