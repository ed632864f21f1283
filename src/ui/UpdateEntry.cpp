#include "ui/UpdateEntry.h"

#include "platform/Folders.h"

#include <cstdio>
#include <cstdlib>

std::string UpdateEntry::CheckBoxText() const
{
    // Class tags are terse; the language file names them ("update_item_MS": "Mouse").
    return "%[update_item_" + std::string(component == "ALL" ? "AP" : displayName) + "]";
}

std::string UpdateEntry::CurrentVersionText() const
{
    if (!hexVersion)
        return versionText;
    char text[16];
    std::snprintf(text, sizeof text, "V%04x", static_cast<unsigned>(versionNumber) & 0xFFFFu);
    return text;
}

std::string UpdateEntry::ExecutablePath() const
{
    const char* temp = std::getenv("TMPDIR");
    std::string folder = std::string(temp && *temp ? temp : "/tmp") + "/UpdateData";
    platform::Folders::CreateFolders(folder);
    return folder + "/" + component + ".exe";
}
