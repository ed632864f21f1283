#include "hid/DeviceScanPass.h"

#include "hid/HidDevice.h"
#include "hid/HidPaths.h"

DeviceScanPass::DeviceScanPass(DeviceSlotList& slots, std::shared_ptr<HidBackend> backend)
    : m_slots(slots), m_backend(std::move(backend))
{
}

DeviceScanPass::Result DeviceScanPass::Run(const SlotHandler& arrived, const SlotHandler& removed)
{
    Result result;
    if (!m_slots.AllSlotsPresent()) {
        HidDevice enumerator(m_backend);
        if (!enumerator.EnumeratePaths()) {
            result.enumerationFailed = true;
            return result;
        }
        result.enumerated = true;
        while (auto path = enumerator.NextPath())
            OfferPath(*path, arrived);
        enumerator.ClearPaths();
    }
    for (int i = 0; i < m_slots.Count(); ++i) {
        if (!m_slots.Slot(i).present || HidDevice::PathPresent(m_slots.Slot(i).path, m_backend))
            continue;
        m_slots.Release(i);
        removed(i);
    }
    return result;
}

void DeviceScanPass::OfferPath(const std::string& path, const SlotHandler& arrived)
{
    DeviceMatchEntry entry;
    entry.vendorId = ParsePathNumber(path, "vid_");
    entry.productId = ParsePathNumber(path, "pid_");
    entry.collectionNumber = ParsePathNumber(path, "&col");
    entry.interfaceNumber = ParsePathNumber(path, "&mi_");
    entry.path = path;
    if (!m_slots.MatchByPath(entry))
        return;
    HidDevice probe(m_backend);
    if (!probe.Open(path, true, false, true, false))
        return;
    entry.vendorId = probe.Attributes().vendorId;
    entry.productId = probe.Attributes().productId;
    entry.usagePage = probe.Caps().usagePage;
    entry.usage = probe.Caps().usage;
    int slot = -1;
    if (m_slots.MatchAndClaim(entry, slot))
        arrived(slot);
    probe.Close();
}
