#pragma once

#include <ctime>
#include <string>

// Past this size the log is emptied before the next line is written.
constexpr long kLogSizeLimit = 4194304;

// Appends one line "YYYY-MM-DD-hh-mm-ss:" + message to "Vintor.log" in the user data folder.
// The file is opened and closed on every call and the folder is never created; when the file
// cannot be opened, "unable to open log file" goes to standard error and nothing else happens.
// A link out of the user data folder is never written through: it is kept aside and replaced.
void WriteLog(const std::string& message);

// The same, to an explicit file and with an explicit local time.
void WriteLogLine(const std::string& path, const std::string& message, const std::tm& localTime);

// "%4d-%02d-%02d-%02d-%02d-%02d:" of the local time.
std::string FormatLogTimestamp(const std::tm& localTime);

// The user data folder + "/Vintor.log".
std::string LogFilePath();
