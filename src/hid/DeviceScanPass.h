#pragma once

#include "hid/DeviceMatchTable.h"
#include "hid/HidBackend.h"

#include <functional>
#include <memory>

// One pass of the device scan: offer every new served interface to a free slot and free the
// slots whose interface vanished. The scan thread runs it every 100 ms.
class DeviceScanPass {
public:
    struct Result {
        bool enumerated = false;        // the interface list was read this pass
        bool enumerationFailed = false; // the list could not be built: the scan should end
    };
    using SlotHandler = std::function<void(int slotIndex)>;

    DeviceScanPass(DeviceSlotList& slots, std::shared_ptr<HidBackend> backend = nullptr);

    // arrived(slot) for every slot claimed, removed(slot) for every slot freed; both run on the
    // calling thread, arrived while the probe is still open.
    Result Run(const SlotHandler& arrived, const SlotHandler& removed);

private:
    void OfferPath(const std::string& path, const SlotHandler& arrived);

    DeviceSlotList& m_slots;
    std::shared_ptr<HidBackend> m_backend;
};
