// The shipped language files against everything that asks for a text: every key a skin under
// data/skin uses, the light effect and area names of the default light data, the message keys
// the program shows, and every message key named in the sources.

#include "profile/JsonFile.h"
#include "ui/LanguageList.h"
#include "ui/LanguageText.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kSource = QV742_TEST_SOURCE_DIR;
const std::string kDefaultData = kSource + "/data/DefaultData";

// Keys the program shows in message boxes.
const char* const kMessageKeys[] = {
    "message_text_2",  "message_text_4",  "message_text_5",  "message_text_6",  "message_text_7",
    "message_text_16", "message_text_22", "message_text_25", "message_text_26", "message_text_27",
    "message_text_28", "message_text_29", "message_text_30", "message_text_32", "message_text_33",
    "message_text_34", "message_text_35", "message_text_36", "message_text_26_1", "message_text_37",
    "message_text_38", "message_text_39", "UpdateTiShiText", "UpdateTiShi",
};

using KeyUses = std::map<std::string, std::string>; // key -> where it is used first

std::vector<fs::path> FilesBelow(const std::string& folder, const std::set<std::string>& extensions)
{
    std::vector<fs::path> files;
    for (const auto& item : fs::recursive_directory_iterator(folder))
        if (item.is_regular_file() && extensions.count(item.path().extension().string()))
            files.push_back(item.path());
    return files;
}

// Every attribute whose whole value is "%[key]", the form the toolkit translates.
void AddSkinKeys(const fs::path& file, const pugi::xml_node& node, KeyUses& keys)
{
    for (pugi::xml_attribute attribute : node.attributes()) {
        std::string value = attribute.value();
        if (value.size() > 3 && value.rfind("%[", 0) == 0 && value.back() == ']')
            keys.emplace(value.substr(2, value.size() - 3), file.string());
    }
    for (pugi::xml_node child : node.children())
        AddSkinKeys(file, child, keys);
}

KeyUses KeysUsedBySkins()
{
    KeyUses keys;
    for (const fs::path& file : FilesBelow(kSource + "/data/skin", {".xml"})) {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(file.c_str())) << file;
        AddSkinKeys(file, doc, keys);
    }
    return keys;
}

KeyUses KeysUsedByLightData()
{
    KeyUses keys;
    Json::Value root = JsonFile().ReadJsonDocument(kDefaultData + "/default_light.json");
    for (const char* table : {"DefaultLightName", "AreaLightName"})
        for (const Json::Value& list : root[table])
            for (const Json::Value& entry : list)
                keys.emplace(entry["LightName"].asString(), "default_light.json");
    return keys;
}

// Message keys written as string literals in the program's sources.
KeyUses KeysNamedInSources()
{
    KeyUses keys;
    const std::regex literal(R"re("(message_text_\d+(?:_\d+)?)")re");
    for (const fs::path& file : FilesBelow(kSource + "/src", {".cpp", ".h"})) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        std::string source = text.str();
        for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it)
            keys.emplace((*it)[1].str(), file.string());
    }
    return keys;
}

std::map<std::string, std::string> ReadLanguageFile(const std::string& path)
{
    std::map<std::string, std::string> texts;
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(path.c_str())) << path;
    for (pugi::xml_node node : doc.document_element().children("Text"))
        texts[node.attribute("id").as_string()] = node.attribute("value").as_string();
    return texts;
}

LanguageList ShippedList()
{
    LanguageList list;
    EXPECT_TRUE(list.Load(kDefaultData + "/Language.config"));
    return list;
}

TEST(LanguageFiles, TheListOffersChineseEnglishAndTraditionalChineseFirst)
{
    LanguageList list = ShippedList();
    ASSERT_GE(list.Entries().size(), 3u);
    struct Expected {
        int id;
        const char* locale;
    };
    const Expected expected[] = {{2052, "zh_CN"}, {1033, "en_US"}, {1028, "zh_TW"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.EntryAt(i).id, expected[i].id);
        EXPECT_EQ(list.EntryAt(i).locale, expected[i].locale);
    }
    for (size_t i = 0; i < list.Entries().size(); ++i) {
        const LanguageEntry& entry = list.Entries()[i];
        EXPECT_FALSE(entry.name.empty() || entry.text.empty()) << i;
        EXPECT_TRUE(fs::exists(kDefaultData + "/" + entry.file)) << entry.file;
        // The font rule gives Thai its face at index 15 only.
        if (entry.locale.rfind("th", 0) == 0) {
            EXPECT_EQ(i, 15u) << "Thai";
        }
    }
}

TEST(LanguageFiles, EveryListedFileHasATextForEveryKeyInUse)
{
    KeyUses used = KeysUsedBySkins();
    ASSERT_TRUE(used.count("msg_confirm")) << "the message box skin is read";
    used.merge(KeysUsedByLightData());
    used.merge(KeysNamedInSources());
    for (const char* key : kMessageKeys)
        used.emplace(key, "message boxes");

    LanguageList list = ShippedList();
    for (const LanguageEntry& entry : list.Entries()) {
        std::map<std::string, std::string> texts = ReadLanguageFile(kDefaultData + "/" + entry.file);
        for (const auto& [key, where] : used) {
            auto it = texts.find(key);
            EXPECT_TRUE(it != texts.end() && !it->second.empty())
                << entry.file << " has no text for \"" << key << "\" used in " << where;
        }
    }
}

// A translation that loses the number (or adds one) shows a wrong or broken message.
TEST(LanguageFiles, TextsWithANumberHaveItInEveryLanguage)
{
    std::map<std::string, std::set<std::string>> numberedIn; // key -> files whose text takes a number
    std::vector<std::string> files;
    LanguageList list = ShippedList();
    for (const LanguageEntry& entry : list.Entries()) {
        files.push_back(entry.file);
        std::map<std::string, std::string> texts = ReadLanguageFile(kDefaultData + "/" + entry.file);
        for (const auto& [key, text] : texts)
            if (LanguageText::TakesNumber(text))
                numberedIn[key].insert(entry.file);
    }
    ASSERT_TRUE(numberedIn.count("message_text_16"));
    for (const auto& [key, inFiles] : numberedIn)
        EXPECT_EQ(inFiles.size(), files.size()) << key << " takes a number in some languages only";
}

} // namespace
