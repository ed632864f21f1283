#include "hid/HidPaths.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

uint16_t ParsePathNumber(const std::string& path, const std::string& token)
{
    auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    const auto found = std::search(path.begin(), path.end(), token.begin(), token.end(), sameLetter);
    if (found == path.end() || token.empty())
        return 0;
    const std::string rest(found + static_cast<std::ptrdiff_t>(token.size()), path.end());
    unsigned int value = 0;
    if (std::sscanf(rest.c_str(), "%x", &value) != 1)
        return 0;
    return static_cast<uint16_t>(value);
}

std::string MakeInterfacePath(const std::string& node, uint16_t vendorId, uint16_t productId,
                              int interfaceNumber, int collection)
{
    char text[64];
    std::snprintf(text, sizeof text, "#vid_%04x&pid_%04x", vendorId, productId);
    std::string path = node + text;
    if (interfaceNumber >= 0) {
        std::snprintf(text, sizeof text, "&mi_%02x", interfaceNumber & 0xFF);
        path += text;
    }
    if (collection > 0) {
        std::snprintf(text, sizeof text, "&col%02x", collection);
        path += text;
    }
    return path;
}

std::string PathNode(const std::string& path)
{
    const auto hash = path.rfind('#');
    return hash == std::string::npos ? path : path.substr(0, hash);
}
