#include "platform/PowerEvents.h"

#include "platform/DebugOutput.h"

#include <systemd/sd-bus.h>

#include <utility>

namespace platform {

struct PowerEvents::Bus {
    sd_bus* bus = nullptr;
    sd_bus_slot* slot = nullptr;
};

namespace {

int OnPrepareForSleep(sd_bus_message* message, void* userdata, sd_bus_error*)
{
    int suspending = 0;
    if (sd_bus_message_read(message, "b", &suspending) < 0)
        return 0;
    auto* handler = static_cast<PowerEvents::Handler*>(userdata);
    if (*handler)
        (*handler)(suspending != 0);
    return 0;
}

} // namespace

PowerEvents::PowerEvents() = default;

PowerEvents::~PowerEvents()
{
    if (!m_bus)
        return;
    sd_bus_slot_unref(m_bus->slot);
    sd_bus_flush_close_unref(m_bus->bus);
    delete m_bus;
}

bool PowerEvents::Open(Handler handler)
{
    if (m_bus)
        return false;
    m_handler = std::move(handler);
    sd_bus* bus = nullptr;
    if (sd_bus_open_system(&bus) < 0) {
        DebugOutput("power events: no system bus; sleep and wake are not followed");
        return false;
    }
    sd_bus_slot* slot = nullptr;
    int result = sd_bus_match_signal(bus, &slot, "org.freedesktop.login1", "/org/freedesktop/login1",
                                     "org.freedesktop.login1.Manager", "PrepareForSleep", OnPrepareForSleep,
                                     &m_handler);
    if (result < 0) {
        sd_bus_flush_close_unref(bus);
        DebugOutput("power events: cannot subscribe to PrepareForSleep");
        return false;
    }
    m_bus = new Bus{bus, slot};
    return true;
}

int PowerEvents::Fd() const
{
    return m_bus ? sd_bus_get_fd(m_bus->bus) : -1;
}

void PowerEvents::Process()
{
    if (!m_bus)
        return;
    while (sd_bus_process(m_bus->bus, nullptr) > 0) {
    }
}

} // namespace platform
