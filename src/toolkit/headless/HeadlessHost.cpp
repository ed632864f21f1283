#include "toolkit/headless/HeadlessHost.h"

#include "toolkit/MessageQueue.h"
#include "toolkit/UIParse.h"
#include "toolkit/WindowWnd.h"

#include <pugixml.hpp>

#include <chrono>
#include <cstring>
#include <fstream>

class CHeadlessWindow : public INativeWindow {
public:
    CHeadlessWindow(CHeadlessHost& host, const RECT& rc) : m_host(host), m_rect(rc) { ++m_host.m_openWindows; }
    ~CHeadlessWindow() override { --m_host.m_openWindows; }
    void SetTitle(const std::string&) override {}
    void SetIconFile(const std::string&) override {}
    RECT GetRect() const override { return m_rect; }
    void SetRect(const RECT& rc) override { m_rect = rc; }
    void Show(bool show, bool) override
    {
        m_visible = show;
        if (show)
            m_minimized = false;
    }
    bool IsVisible() const override { return m_visible; }
    bool IsMinimized() const override { return m_minimized; }
    void Minimize() override { m_minimized = true; }
    void Maximize() override { m_minimized = false; }
    void Restore() override
    {
        m_minimized = false;
        m_visible = true;
    }
    void SetTopmost(bool) override {}
    void Invalidate(const RECT&) override {}
    void SetCapture(bool) override {}
    void SetCursorShape(int) override {}
    void BeginSystemMove() override {}
    void SetToolTip(const std::string&) override {}
    void SetModal(bool) override {}

private:
    CHeadlessHost& m_host;
    RECT m_rect;
    bool m_visible = false;
    bool m_minimized = false;
};

class CHeadlessTrayIcon : public ITrayIconImpl {
public:
    CHeadlessTrayIcon(CHeadlessHost& host, std::function<void(UINT)> onMouse) : m_host(host)
    {
        m_host.m_trayMouse = std::move(onMouse);
    }
    ~CHeadlessTrayIcon() override { m_host.m_trayMouse = nullptr; }
    void SetIconFile(const std::string&) override {}
    void SetToolTip(const std::string&) override {}
    void SetVisible(bool) override {}

private:
    CHeadlessHost& m_host;
};

CHeadlessHost::CHeadlessHost()
{
    CMessageQueue::Instance().Reset();
    SetUIHost(this);
}

CHeadlessHost::~CHeadlessHost()
{
    CMessageQueue::Instance().Reset();
    SetUIHost(nullptr);
}

void CHeadlessHost::WakeUp()
{
    std::lock_guard<std::mutex> guard(m_wakeLock);
    m_wakePending = true;
    m_woken.notify_all();
}

int CHeadlessHost::RunPending()
{
    int total = 0;
    for (int round = 0; round < 10000; ++round) {
        int ran = CMessageQueue::Instance().ProcessPending();
        if (ran == 0)
            break;
        total += ran;
    }
    return total;
}

void CHeadlessHost::Advance(uint64_t ms)
{
    CMessageQueue& queue = CMessageQueue::Instance();
    uint64_t target = m_now + ms;
    RunPending();
    for (;;) {
        std::optional<uint64_t> due = queue.NextTimerDue();
        if (!due || *due > target)
            break;
        m_now = std::max(m_now, *due);
        queue.FireNextDueTimer(m_now);
        RunPending();
    }
    m_now = target;
    RunPending();
}

bool CHeadlessHost::RunUntil(const std::function<bool()>& done, int realMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
    for (;;) {
        RunPending();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return done();
        // Another thread may post (wakes us) or finish on its own (checked every millisecond).
        std::unique_lock<std::mutex> guard(m_wakeLock);
        m_woken.wait_for(guard, std::chrono::milliseconds(1), [this] { return m_wakePending; });
        m_wakePending = false;
    }
}

void CHeadlessHost::RunLoop(const std::function<bool()>& keepRunning)
{
    CMessageQueue& queue = CMessageQueue::Instance();
    uint64_t limit = m_now + m_horizon;
    while (keepRunning()) {
        if (RunPending() > 0)
            continue;
        std::optional<uint64_t> due = queue.NextTimerDue();
        if (due && *due <= limit) {
            m_now = std::max(m_now, *due);
            queue.FireNextDueTimer(m_now);
            continue;
        }
        // Nothing queued and no timer: only another thread can still post; wait a little.
        std::unique_lock<std::mutex> guard(m_wakeLock);
        if (!m_woken.wait_for(guard, std::chrono::milliseconds(200), [this] { return m_wakePending; }))
            return;
        m_wakePending = false;
    }
}

std::unique_ptr<INativeWindow> CHeadlessHost::CreateNativeWindow(CWindowWnd&, HWND, DWORD, DWORD, const RECT& rc)
{
    return std::make_unique<CHeadlessWindow>(*this, rc);
}

namespace {

uint32_t BigEndian32(const unsigned char* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Width and height from a PNG's IHDR chunk, which follows the 8-byte signature.
bool ReadPngSize(const std::string& path, int& width, int& height)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return false;
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(header, signature, 8) != 0 || std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    width = int(BigEndian32(header + 16));
    height = int(BigEndian32(header + 20));
    return width > 0 && height > 0;
}

bool ReadSvgSize(const std::string& path, int& width, int& height)
{
    pugi::xml_document doc;
    if (!doc.load_file(path.c_str()))
        return false;
    pugi::xml_node svg = doc.document_element();
    if (!EqualsNoCase(svg.name(), "svg"))
        return false;
    width = ParseInt(svg.attribute("width").as_string(), 0);
    height = ParseInt(svg.attribute("height").as_string(), 0);
    if (width <= 0 || height <= 0) {
        std::vector<std::string> box = SplitText(svg.attribute("viewBox").as_string(), ' ');
        if (box.size() == 4) {
            width = ParseInt(box[2], 0);
            height = ParseInt(box[3], 0);
        }
    }
    return width > 0 && height > 0;
}

} // namespace

bool CHeadlessHost::LoadImage(const std::string& path, TImageInfo& image)
{
    bool svg = path.size() > 4 && EqualsNoCase(path.substr(path.size() - 4), ".svg");
    image.bSvg = svg;
    return svg ? ReadSvgSize(path, image.nX, image.nY) : ReadPngSize(path, image.nX, image.nY);
}

SIZE CHeadlessHost::MeasureText(const std::string& text, const TFontInfo&, int pixelSize)
{
    int characters = int(DecodeUtf8(text).size());
    return SIZE{characters * pixelSize * 11 / 20, pixelSize * 13 / 10};
}

RECT CHeadlessHost::MonitorRect(const RECT&)
{
    return m_monitor;
}

bool CHeadlessHost::AddFontFile(const std::string& path)
{
    return std::ifstream(path).good();
}

std::unique_ptr<ITrayIconImpl> CHeadlessHost::CreateTrayIcon(std::function<void(UINT)> onMouse)
{
    return std::make_unique<CHeadlessTrayIcon>(*this, std::move(onMouse));
}

void CHeadlessHost::ClickTray(UINT mouseMessage)
{
    if (m_trayMouse)
        m_trayMouse(mouseMessage);
}

bool CHeadlessHost::RunFileDialog(const FileDialogRequest& request, std::string& path)
{
    m_lastFileDialog = request;
    path = m_fileAnswer;
    return !m_fileAnswer.empty();
}
