#pragma once

#include "sim/SimProduct.h"

#include <cstdint>
#include <vector>

// Report descriptors of the simulated products.

// The command interface: vendor collections with the command collection (usage page 0xFF1C,
// usage 0x92, report 4 of 63 bytes each way) at spec.commandCollection, or, for collection 0,
// a single consumer-control collection carrying the command report, notices and light reports.
std::vector<uint8_t> CommandInterfaceDescriptor(const SimProductSpec& spec);

// The notification interface: mouse (report 1), keyboard (report 2) and consumer control
// (report 3, one 16-bit usage: the notice code) as collections 1 to 3.
std::vector<uint8_t> NotificationInterfaceDescriptor();
