#include "profile/FolderPaths.h"

#include <filesystem>
#include <system_error>

std::string FolderPaths::FolderOf(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool FolderPaths::IsDirectlyIn(const std::string& path, const std::string& folder)
{
    std::error_code error;
    auto target = std::filesystem::weakly_canonical(FolderOf(path), error);
    if (error)
        return false;
    auto own = std::filesystem::weakly_canonical(folder, error);
    return !error && target == own;
}
