#include "sim/SimProduct.h"

#include "hid/HidPaths.h"
#include "sim/SimDescriptors.h"

namespace {

constexpr int kNotificationInterface = 0;
constexpr uint8_t kCommandReportId = 0x04;
constexpr int kNoticeCollection = 3;

} // namespace

// Hands the host's reports to the product while it still exists.
class SimProduct::CommandEndpoint : public SimHidEndpoint {
public:
    explicit CommandEndpoint(std::weak_ptr<SimProduct> product) : m_product(std::move(product)) {}

    void OnOutputReport(int, const std::vector<uint8_t>& report) override
    {
        if (auto product = m_product.lock())
            product->OnCommandReport(report);
    }

private:
    std::weak_ptr<SimProduct> m_product;
};

std::shared_ptr<SimProduct> SimProduct::Create(std::shared_ptr<SimHidBus> bus, SimProductSpec spec,
                                               std::shared_ptr<SimFirmware> firmware)
{
    return std::shared_ptr<SimProduct>(new SimProduct(std::move(bus), spec, std::move(firmware)));
}

SimProduct::SimProduct(std::shared_ptr<SimHidBus> bus, SimProductSpec spec, std::shared_ptr<SimFirmware> firmware)
    : m_bus(std::move(bus)), m_spec(spec), m_firmware(std::move(firmware))
{
}

SimProduct::~SimProduct()
{
    Unplug();
}

bool SimProduct::Plug()
{
    std::lock_guard guard(m_lock);
    if (m_commandId != 0)
        return false;
    SimInterfaceSpec command{m_spec.vendorId, m_spec.productId, m_spec.versionNumber, m_spec.commandInterface,
                             CommandInterfaceDescriptor(m_spec)};
    m_commandId = m_bus->Plug(std::move(command), std::make_shared<CommandEndpoint>(weak_from_this()));
    if (m_spec.notificationInterface) {
        SimInterfaceSpec notification{m_spec.vendorId, m_spec.productId, m_spec.versionNumber,
                                      kNotificationInterface, NotificationInterfaceDescriptor()};
        m_notificationId = m_bus->Plug(std::move(notification), nullptr);
    }
    return true;
}

void SimProduct::Unplug()
{
    int command = 0;
    int notification = 0;
    {
        std::lock_guard guard(m_lock);
        std::swap(command, m_commandId);
        std::swap(notification, m_notificationId);
    }
    if (command)
        m_bus->Unplug(command);
    if (notification)
        m_bus->Unplug(notification);
}

bool SimProduct::IsPlugged() const
{
    std::lock_guard guard(m_lock);
    return m_commandId != 0;
}

void SimProduct::SendNotice(uint16_t code)
{
    // A product without a notification interface (the headset) carries notices beside its commands.
    const int id = m_spec.notificationInterface ? NotificationInterfaceId() : CommandInterfaceId();
    if (id)
        m_bus->SendInputReport(id, {kNoticeReportId, static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8)});
}

std::vector<std::vector<uint8_t>> SimProduct::LightReports() const
{
    std::lock_guard guard(m_lock);
    return m_lightReports;
}

int SimProduct::CommandInterfaceId() const
{
    std::lock_guard guard(m_lock);
    return m_commandId;
}

int SimProduct::NotificationInterfaceId() const
{
    std::lock_guard guard(m_lock);
    return m_notificationId;
}

std::string SimProduct::CommandPath() const
{
    const int id = CommandInterfaceId();
    if (!id)
        return {};
    return MakeInterfacePath(SimHidBus::NodeName(id), m_spec.vendorId, m_spec.productId, m_spec.commandInterface,
                             m_spec.commandCollection);
}

std::string SimProduct::NotificationPath() const
{
    const int id = NotificationInterfaceId();
    if (!id)
        return {};
    return MakeInterfacePath(SimHidBus::NodeName(id), m_spec.vendorId, m_spec.productId, kNotificationInterface,
                             kNoticeCollection);
}

void SimProduct::OnCommandReport(const std::vector<uint8_t>& report)
{
    if (report.empty())
        return;
    if (report[0] == kLightReportId && m_spec.lightReports) {
        std::lock_guard guard(m_lock);
        m_lightReports.push_back(report);
        return;
    }
    if (report[0] != kCommandReportId)
        return;
    const SimFirmware::Answer answer = m_firmware->Handle(report, m_linked);
    if (answer.unplug) {
        Unplug();
        return;
    }
    const int id = CommandInterfaceId();
    if (answer.response && id)
        m_bus->SendInputReport(id, *answer.response, m_firmware->LatencyMs());
}
