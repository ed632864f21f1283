#include "device/COrlithUSBDevice.h"

#include "device/DeviceKind.h"
#include "device/DeviceMessages.h"
#include "platform/DebugOutput.h"
#include "toolkit/ContainerUI.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"

#include <chrono>
#include <cstring>
#include <thread>

struct COrlithUSBDevice::NotificationReader {
    explicit NotificationReader(const char* name) : thread(name) {}
    platform::WorkerThread thread;
    bool open = false;
};

namespace {

constexpr int kReaderStopMs = 500;
constexpr int kLightingStopMs = 1000;
constexpr int kNoticeKeyPress = 0x0403;
constexpr int kLinkRetries = 25;

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// Calls visit for every control below root, depth first.
template <typename Visit>
void ForEachControl(CControlUI* root, const Visit& visit)
{
    auto* container = static_cast<CContainerUI*>(root->GetInterface("Container"));
    if (!container)
        return;
    for (int i = 0; i < container->GetCount(); ++i) {
        CControlUI* child = container->GetItemAt(i);
        visit(child);
        ForEachControl(child, visit);
    }
}

int IndexAfter(const std::string& name, size_t prefixLength)
{
    return std::atoi(name.c_str() + prefixLength);
}

} // namespace

COrlithUSBDevice::COrlithUSBDevice()
    : m_wiredReader(std::make_unique<NotificationReader>("wired notices")),
      m_receiverReader(std::make_unique<NotificationReader>("receiver notices"))
{
}

COrlithUSBDevice::~COrlithUSBDevice()
{
    StopLighting();
    CloseNotificationInterface(false);
    CloseNotificationInterface(true);
    DetachCommandInterface();
}

void* COrlithUSBDevice::GetInterface(std::string_view name)
{
    if (name == "OrlithUSBDevice")
        return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

void COrlithUSBDevice::SetCounts(int keyCount, int lightCount)
{
    m_keyCount = keyCount < 0 ? 0 : keyCount;
    m_lightCount = lightCount < 0 ? 0 : lightCount;
    {
        std::lock_guard engineGuard(m_engineLock);
        m_engine = std::make_unique<LightEngine>(m_lightModeTable, m_lightCount);
        m_engine->SetSettings(m_lightSettings);
        m_engineSerial = m_engine->FrameSerial();
    }
    std::lock_guard guard(m_lightLock);
    m_lightColours.assign(static_cast<size_t>(m_lightCount), lighting::kWhiteFull);
    ++m_lightSerial;
}

void COrlithUSBDevice::SetPowerTile(bool hasPowerTile, int powerQueryPause, PowerView* powerTile)
{
    m_hasPowerTile = hasPowerTile;
    if (hasPowerTile)
        m_powerQueryPause = powerQueryPause;
    m_powerTile = powerTile;
}

void COrlithUSBDevice::SetTile(CControlUI* tile, int tileIndex)
{
    m_tile = tile;
    m_tileIndex = tileIndex;
}

bool COrlithUSBDevice::AttachCommandInterface(const DeviceSlot& slot)
{
    if (m_channel.IsOpen())
        return true;
    bool receiver = IsReceiverKind(slot.kind);
    bool opened;
    {
        std::lock_guard guard(m_channel.IoLock());
        HidDevice& device = receiver ? m_channel.ReceiverDevice() : m_channel.WiredDevice();
        opened = device.Open(slot.path, true, true, true, false);
    }
    if (!opened)
        return false;
    m_channel.SetOpen(true);
    m_channel.SetMode(receiver ? 2 : 1);
    m_identity.path = slot.path;
    m_identity.present = 1;
    m_subKind = slot.role;
    ArmTileTimer(kTimerConnect, 500);
    WakeLighting();
    return true;
}

bool COrlithUSBDevice::SwitchCommandPath(const DeviceSlot& slot, bool toReceiver)
{
    bool opened;
    {
        std::lock_guard guard(m_channel.IoLock());
        m_channel.SetOpen(false);
        m_channel.WiredDevice().Close();
        m_channel.ReceiverDevice().Close();
        HidDevice& device = toReceiver ? m_channel.ReceiverDevice() : m_channel.WiredDevice();
        opened = device.Open(slot.path, true, true, true, false);
        m_channel.SetMode(toReceiver ? 2 : 1);
        m_channel.SetOpen(opened);
    }
    if (!opened)
        return false;
    if (toReceiver) {
        if (m_hasPowerTile) {
            for (int attempt = 0; attempt < kLinkRetries && !m_channel.IsLinked(); ++attempt) {
                platform::DebugOutput("获取2.4G模式失败");
                std::this_thread::sleep_for(std::chrono::milliseconds(m_linkRetryPauseMs));
            }
            ReadPowerStatus();
        }
        ArmTileTimer(kTimerKeepAlive, 50);
        m_channel.EnterConfigMode();
        ArmTileTimer(kTimerLinkWatch, 2000);
    } else {
        ArmTileTimer(kTimerConnect, 500);
        SendToWindow(kMsgTileVisible, static_cast<WPARAM>(m_tileIndex), 1);
        if (m_hasPowerTile)
            ReadPowerStatus();
    }
    return true;
}

void COrlithUSBDevice::DetachCommandInterface()
{
    m_channel.SetOpen(false);
    WakeLighting(); // it goes to sleep until the product is back
    std::lock_guard guard(m_channel.IoLock());
    m_channel.WiredDevice().Close();
    m_channel.ReceiverDevice().Close();
}

COrlithUSBDevice::NotificationReader& COrlithUSBDevice::Reader(bool receiver)
{
    return receiver ? *m_receiverReader : *m_wiredReader;
}

bool COrlithUSBDevice::OpenNotificationInterface(const DeviceSlot& slot, bool receiver)
{
    CloseNotificationInterface(receiver);
    NotificationReader& reader = Reader(receiver);
    {
        std::lock_guard guard(receiver ? m_notifyChannel.SpareLock() : m_notifyChannel.IoLock());
        HidDevice& device = receiver ? m_notifyChannel.ReceiverDevice() : m_notifyChannel.WiredDevice();
        device.Close();
        reader.open = device.Open(slot.path, true, true, true, false);
    }
    if (!reader.open)
        return false;
    reader.thread.Start([this, receiver](platform::Event& stop) { RunNotificationReader(receiver, stop); });
    return true;
}

void COrlithUSBDevice::CloseNotificationInterface(bool receiver)
{
    NotificationReader& reader = Reader(receiver);
    HidDevice& device = receiver ? m_notifyChannel.ReceiverDevice() : m_notifyChannel.WiredDevice();
    // Stop first, then release a waiting read, so the reader sees the stop when it wakes.
    reader.thread.RequestStop();
    device.SignalAbort();
    if (!reader.thread.Stop(kReaderStopMs))
        platform::DebugOutput("线程退出：：对象处于非激发状态，超时");
    std::lock_guard guard(receiver ? m_notifyChannel.SpareLock() : m_notifyChannel.IoLock());
    reader.open = false;
    device.Close();
}

bool COrlithUSBDevice::IsNotificationOpen(bool receiver) const
{
    return receiver ? m_receiverReader->open : m_wiredReader->open;
}

void COrlithUSBDevice::RunNotificationReader(bool receiver, platform::Event& stop)
{
    HidDevice& device = receiver ? m_notifyChannel.ReceiverDevice() : m_notifyChannel.WiredDevice();
    while (!stop.Wait(1)) {
        size_t received = 0;
        if (!device.ReadInputReport(device.InputReportBuffer(), device.InputReportLength(), received, kHidInfinite))
            continue;
        device.ParseInputReport(device.InputReportBuffer(), received);
        HandleNotice(receiver, device.InputReportBuffer(), received);
    }
    platform::DebugOutput("MS 设备同步线程设定退出");
}

void COrlithUSBDevice::HandleNotice(bool receiver, const uint8_t* report, size_t length)
{
    if (length < 3)
        return;
    // Byte 0 is the report id; bytes 1 and 2 carry the notice code, low byte first.
    int code = report[1] | (report[2] << 8);
    if (code == 0x0401) {
        platform::DebugOutput("接收到自动添加设备的同步信息要求");
        ArmTileTimerFromAnyThread(kTimerReload);
        return;
    }
    if (code == kNoticeKeyPress) {
        // A mouse on cable and receiver at once reports each press on both paths: the path the
        // channel uses counts, so the receiver alone also drives the key effects.
        if (receiver == m_channel.IsReceiverMode())
            OnKeyPressNotice();
        return;
    }
    if (code > 0x0401)
        OnDeviceNotice(code, report, length);
}

void COrlithUSBDevice::OnDeviceNotice(int code, const uint8_t* report, size_t length)
{
    (void)code;
    (void)report;
    (void)length;
}

void COrlithUSBDevice::BindPageControls()
{
    m_keyButtons.assign(static_cast<size_t>(m_keyCount), nullptr);
    m_lightControls.assign(static_cast<size_t>(m_lightCount), nullptr);
    // The page's picture of the product is its selection panel, whatever its name.
    CControlUI* panel = nullptr;
    ForEachControl(this, [&panel](CControlUI* control) {
        if (!panel && control->GetInterface("SelectPanel"))
            panel = control;
    });
    if (!panel)
        return;
    ForEachControl(panel, [this](CControlUI* control) {
        const CDuiString name = control->GetName();
        if (StartsWith(name, "key_") && control->GetInterface("DeviceKeyButton")) {
            int index = IndexAfter(name, 4);
            if (index >= 0 && index < m_keyCount)
                m_keyButtons[static_cast<size_t>(index)] = control;
        } else if (StartsWith(name, "light_")) {
            int index = IndexAfter(name, 6);
            if (index >= 0 && index < m_lightCount) {
                m_lightControls[static_cast<size_t>(index)] = control;
                SetLightColour(index, lighting::kWhiteFull);
            }
        }
    });
}

bool COrlithUSBDevice::PaintLightPreview()
{
    {
        std::lock_guard guard(m_lightLock);
        if (m_lightSerial == m_paintedSerial)
            return false;
        m_paintedSerial = m_lightSerial;
    }
    bool changed = false;
    for (int i = 0; i < static_cast<int>(m_lightControls.size()); ++i) {
        auto* light = m_lightControls[static_cast<size_t>(i)]
                          ? static_cast<CDeviceKeyButtonUI*>(m_lightControls[static_cast<size_t>(i)]->GetInterface("DeviceKeyButton"))
                          : nullptr;
        if (!light)
            continue;
        const uint32_t value = GetLightColour(i);
        const lighting::Rgb rgb = lighting::LightColourOf(value);
        const DWORD colour = static_cast<DWORD>(rgb.red) << 16 | static_cast<DWORD>(rgb.green) << 8 | rgb.blue;
        const int level = lighting::LightLevelOf(value);
        if (light->GetLightColour() == colour && light->GetLightLevel() == level && light->IsLightOn() == (level > 0))
            continue; // unchanged: nothing to repaint
        light->SetKeyLight(colour, level, level > 0);
        light->Invalidate();
        changed = true;
    }
    return changed;
}

void COrlithUSBDevice::ShowFunctionPanel(int type)
{
    m_functionPanel = type;
    CPaintManagerUI* manager = GetManager();
    if (!manager)
        return;
    auto* functions = static_cast<CTabLayoutUI*>(manager->FindSubControlByName(this, "device_function_switch"));
    auto* keyFunctions = static_cast<CTabLayoutUI*>(manager->FindSubControlByName(this, "device_key_function_switch"));
    auto select = [](CTabLayoutUI* tabs, int index) {
        if (tabs)
            tabs->SelectItem(index);
    };
    bool mouseOrKeyboard = WiredKindOf(m_kind) == kDeviceMouse || WiredKindOf(m_kind) == kDeviceKeyboard;
    if (type == 4 && !mouseOrKeyboard)
        type = 7;
    switch (type) {
    case 2:
    case 6:
        select(functions, 0);
        select(keyFunctions, 1);
        break;
    case 3:
    case 8:
        select(functions, 1);
        break;
    case 4:
        select(functions, 3);
        break;
    case 7:
        select(functions, 0);
        select(keyFunctions, 2);
        break;
    case 5:
        select(functions, 2);
        break;
    case 9:
        select(functions, 4);
        break;
    default:
        select(functions, 0);
        select(keyFunctions, 0);
        break;
    }
}

void COrlithUSBDevice::SetLightColour(int index, uint32_t value)
{
    std::lock_guard guard(m_lightLock);
    if (index < 0 || index >= static_cast<int>(m_lightColours.size()))
        return;
    uint32_t& light = m_lightColours[static_cast<size_t>(index)];
    if (light != value) {
        light = value;
        ++m_lightSerial;
    }
}

LightInfo COrlithUSBDevice::GetLightSettings() const
{
    return m_lightSettings;
}

void COrlithUSBDevice::SetLightSettings(const LightInfo& settings)
{
    m_lightSettings = settings;
}

void COrlithUSBDevice::LoadLightState()
{
    if (!m_engine)
        return;
    const LightInfo settings = m_lightSettings;
    WithEngine([&settings](LightEngine& engine) { engine.SetSettings(settings); });
}

uint64_t COrlithUSBDevice::SteadyNowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void COrlithUSBDevice::StartLighting()
{
    if (!m_engine || !m_lightingThreadEnabled)
        return;
    if (!m_lightingThread.IsRunning())
        m_lightingThread.Start([this](platform::Event& stop) { RunLighting(stop); });
    WakeLighting();
}

void COrlithUSBDevice::StopLighting()
{
    m_lightingThread.RequestStop();
    WakeLighting();
    if (!m_lightingThread.Stop(kLightingStopMs))
        platform::DebugOutput("线程退出：：对象处于非激发状态，超时");
}

bool COrlithUSBDevice::LightingActive() const
{
    return IsConnected() && !m_lightingPaused && !m_synchronised;
}

void COrlithUSBDevice::RunLighting(platform::Event& stop)
{
    // Sleeps until the next step is due; while the product is away, the window hidden or the
    // sync thread in charge, until something wakes it.
    while (!stop.IsSet()) {
        const int wait = LightingActive() ? StepLighting(SteadyNowMs()) : LightEngine::kNoWake;
        m_lightingWake.Wait(wait == LightEngine::kNoWake ? platform::Event::kInfinite : wait);
    }
    platform::DebugOutput(m_lightingStopText);
}

int COrlithUSBDevice::StepLighting(uint64_t nowMs)
{
    std::lock_guard engineGuard(m_engineLock);
    if (!m_engine)
        return LightEngine::kNoWake;
    const int wait = m_engine->Advance(nowMs);
    if (m_engine->FrameSerial() != m_engineSerial && !m_synchronised) {
        m_engineSerial = m_engine->FrameSerial();
        const std::vector<uint32_t>& lights = m_engine->Lights();
        for (size_t i = 0; i < lights.size(); ++i)
            SetLightColour(static_cast<int>(i), lights[i]);
    }
    return wait;
}

void COrlithUSBDevice::SetLightingPaused(bool paused)
{
    m_lightingPaused = paused;
    WakeLighting();
}

void COrlithUSBDevice::SetSynchronised(bool synchronised)
{
    if (m_synchronised == synchronised)
        return;
    m_synchronised = synchronised;
    if (m_hMainWnd)
        ::PostMessage(m_hMainWnd, kMsgSynchroChanged, 0, reinterpret_cast<LPARAM>(this));
    if (!synchronised) {
        // The own effect repaints every light at its next step.
        std::lock_guard engineGuard(m_engineLock);
        if (m_engine)
            m_engine->SetSettings(m_lightSettings);
        m_engineSerial = ~0ull;
    }
    WakeLighting();
}

void COrlithUSBDevice::OnKeyPressNotice()
{
    if (m_engine)
        WithEngine([](LightEngine& engine) { engine.OnKeyPress(); });
}

uint32_t COrlithUSBDevice::GetLightColour(int index) const
{
    std::lock_guard guard(m_lightLock);
    if (index < 0 || index >= static_cast<int>(m_lightColours.size()))
        return 0;
    return m_lightColours[static_cast<size_t>(index)];
}

LRESULT COrlithUSBDevice::SendToWindow(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hMainWnd ? ::SendMessage(m_hMainWnd, message, wParam, lParam) : 0;
}

void COrlithUSBDevice::ArmTileTimerFromAnyThread(UINT timerId)
{
    if (m_hMainWnd)
        ::PostMessage(m_hMainWnd, kMsgArmTileTimer, timerId, reinterpret_cast<LPARAM>(this));
}

void COrlithUSBDevice::ArmTileTimer(UINT timerId, UINT elapseMs)
{
    CPaintManagerUI* manager = m_tile ? m_tile->GetManager() : nullptr;
    if (manager)
        manager->SetTimer(m_tile, timerId, elapseMs);
}
