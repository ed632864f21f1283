#include "app/FirmwareUpdater.h"

#include "platform/Folders.h"
#include "platform/ProcessLauncher.h"

FirmwareUpdater::FirmwareUpdater(std::string folder) : m_folder(std::move(folder)) {}

std::string FirmwareUpdater::DefaultFolder()
{
    return platform::Folders::ProgramFolder() + "/Update";
}

bool FirmwareUpdater::IsInstalled() const
{
    return platform::Folders::FileExists(Path());
}

std::vector<std::string> FirmwareUpdater::CommandLine() const
{
    if (!IsInstalled())
        return {};
    if (platform::ProcessLauncher::IsRunnable(Path()))
        return {Path(), kParameter};
    std::string wine = platform::ProcessLauncher::FindInPath("wine");
    if (!wine.empty())
        return {wine, Path(), kParameter};
    return {};
}

FirmwareUpdater::Launch FirmwareUpdater::Start() const
{
    if (!IsInstalled())
        return Launch::Missing;
    std::vector<std::string> command = CommandLine();
    if (command.empty() || !platform::ProcessLauncher::LaunchIn(command, m_folder))
        return Launch::Failed;
    return Launch::Started;
}
