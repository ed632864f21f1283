#include "log/LogFile.h"

#include "platform/FileAccess.h"
#include "platform/Folders.h"

#include <cstdio>

std::string FormatLogTimestamp(const std::tm& t)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%4d-%02d-%02d-%02d-%02d-%02d:", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return buffer;
}

std::string LogFilePath()
{
    return platform::Folders::UserDataFolder() + "/Vintor.log";
}

void WriteLogLine(const std::string& path, const std::string& message, const std::tm& localTime)
{
    // Never through a link out of the user data folder: such a link is kept aside and replaced.
    std::string line = FormatLogTimestamp(localTime) + message + "\n";
    if (!platform::FileAccess::Append(path, line, kLogSizeLimit))
        std::fputs("unable to open log file\n", stderr);
}

void WriteLog(const std::string& message)
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    WriteLogLine(LogFilePath(), message, local);
}
