#pragma once

#include <cstdint>
#include <string>

// Interface paths name one top-level collection of one HID node, the way Windows names a HID
// device: "<node>#vid_320f&pid_22a4&mi_01&col02". "&mi_" is left out for a node that is not a
// USB interface, "&col" for a node with a single top-level collection.

// The hexadecimal number after the first case-insensitive occurrence of token (four
// characters: "vid_", "pid_", "&mi_", "&col"); 0 when the token is absent.
uint16_t ParsePathNumber(const std::string& path, const std::string& token);

// The path of collection `collection` (1-based; 0 = the node's only collection) of a node.
std::string MakeInterfacePath(const std::string& node, uint16_t vendorId, uint16_t productId,
                              int interfaceNumber, int collection);

// The node part of an interface path (everything before the last '#').
std::string PathNode(const std::string& path);
