#include "platform/x11/X11InputCapture.h"

#include "platform/DebugOutput.h"
#include "platform/HookEventBuilder.h"

#include <X11/Xlib.h>
#include <X11/extensions/record.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <mutex>
#include <thread>

namespace platform {

namespace {

// A key or button event as the server records it (the core protocol's 32-byte event).
struct RecordedEvent {
    int type = 0;      // byte 0, without the sent-event bit: KeyPress 2 ... ButtonRelease 5
    int detail = 0;    // byte 1: keycode or button number
    uint32_t time = 0; // bytes 4-7: server time in milliseconds
    int rootX = 0;     // bytes 20-21: pointer on the root window, signed
    int rootY = 0;     // bytes 22-23
};
constexpr size_t kCoreEventSize = 32;

uint32_t Read32(const unsigned char* bytes, bool swapped)
{
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return swapped ? __builtin_bswap32(value) : value;
}

int Read16Signed(const unsigned char* bytes, bool swapped)
{
    uint16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return static_cast<int16_t>(swapped ? __builtin_bswap16(value) : value);
}

RecordedEvent Unpack(const unsigned char* bytes, bool swapped)
{
    RecordedEvent event;
    event.type = bytes[0] & 0x7F;
    event.detail = bytes[1];
    event.time = Read32(bytes + 4, swapped);
    event.rootX = Read16Signed(bytes + 20, swapped);
    event.rootY = Read16Signed(bytes + 22, swapped);
    return event;
}

// Errors on our own connections (a context the server refuses) must not end the process, which
// the default handler does.
int IgnoreError(Display*, XErrorEvent* error)
{
    DebugOutput("input capture: X error " + std::to_string(int(error->error_code)));
    return 0;
}

void InstallErrorHandler()
{
    static std::once_flag once;
    std::call_once(once, [] { XSetErrorHandler(IgnoreError); });
}

// A popup that was just clicked (the menu that starts a recording) may hold the keyboard a
// moment longer; only a grab that stays taken fails the capture.
bool GrabKeyboard(Display* display)
{
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int result = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync, GrabModeAsync, CurrentTime);
        if (result == GrabSuccess)
            return true;
        if (result != AlreadyGrabbed && result != GrabFrozen)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace

struct X11InputCapture::Session {
    CaptureMode mode = CaptureMode::Append;
    IHookSink* sink = nullptr;
    bool keys = false;
    bool buttons = false;
    int abortFd = -1;
    std::promise<bool> started;
    HookEventBuilder builder;

    Display* control = nullptr; // context, grab and the grabbed keys (drained)
    Display* data = nullptr;    // the recorded events
    XRecordContext context = 0;

    ~Session()
    {
        if (abortFd >= 0)
            close(abortFd);
    }

    bool Open();
    void Run();
    void Close();
    void OnRecorded(const RecordedEvent& event);
    static void Intercept(XPointer closure, XRecordInterceptData* data);
};

bool X11InputCapture::Session::Open()
{
    InstallErrorHandler();
    control = XOpenDisplay(nullptr);
    data = XOpenDisplay(nullptr);
    int major = 0, minor = 0;
    if (!control || !data || !XRecordQueryVersion(control, &major, &minor))
        return false;
    if (keys && !GrabKeyboard(control)) {
        DebugOutput("input capture: the keyboard is grabbed by another program");
        return false;
    }
    XRecordRange* range = XRecordAllocRange();
    if (!range)
        return false;
    range->device_events.first = keys ? KeyPress : ButtonPress;
    range->device_events.last = buttons ? ButtonRelease : KeyRelease;
    XRecordClientSpec clients = XRecordAllClients;
    context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control, False);
    return context && XRecordEnableContextAsync(data, context, &Session::Intercept, reinterpret_cast<XPointer>(this));
}

void X11InputCapture::Session::Run()
{
    pollfd fds[3] = {{ConnectionNumber(data), POLLIN, 0}, {ConnectionNumber(control), POLLIN, 0}, {abortFd, POLLIN, 0}};
    for (;;) {
        XRecordProcessReplies(data);
        // The grabbed keys come to the control connection; nobody wants them there.
        while (XPending(control) > 0) {
            XEvent discarded;
            XNextEvent(control, &discarded);
        }
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            return;
        if (fds[2].revents)
            return;
        if ((fds[0].revents | fds[1].revents) & (POLLERR | POLLHUP))
            return;
    }
}

void X11InputCapture::Session::Close()
{
    if (control) {
        if (keys)
            XUngrabKeyboard(control, CurrentTime);
        if (context)
            XRecordDisableContext(control, context);
        XSync(control, False);
    }
    if (data)
        XCloseDisplay(data);
    if (control) {
        if (context)
            XRecordFreeContext(control, context);
        XCloseDisplay(control);
    }
    data = control = nullptr;
}

void X11InputCapture::Session::Intercept(XPointer closure, XRecordInterceptData* data)
{
    auto* session = reinterpret_cast<Session*>(closure);
    if (data->category == XRecordFromServer && data->data_len * 4 >= kCoreEventSize)
        session->OnRecorded(Unpack(data->data, data->client_swapped));
    XRecordFreeData(data);
}

void X11InputCapture::Session::OnRecorded(const RecordedEvent& event)
{
    std::optional<HookEvent> hookEvent;
    const bool down = event.type == KeyPress || event.type == ButtonPress;
    if (keys && (event.type == KeyPress || event.type == KeyRelease))
        hookEvent = builder.Key(event.detail - 8, down, event.time);
    else if (buttons && (event.type == ButtonPress || event.type == ButtonRelease))
        hookEvent = builder.Button(event.detail, down, event.rootX, event.rootY, event.time);
    if (hookEvent)
        sink->OnHookEvent(mode, *hookEvent);
}

X11InputCapture::X11InputCapture() = default;

X11InputCapture::~X11InputCapture()
{
    Stop();
}

bool X11InputCapture::Available()
{
    InstallErrorHandler();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    int major = 0, minor = 0;
    bool record = XRecordQueryVersion(display, &major, &minor);
    XCloseDisplay(display);
    return record;
}

bool X11InputCapture::Start(CaptureMode mode, IHookSink& sink, bool keys, bool buttons)
{
    Stop();
    auto session = std::make_unique<Session>();
    session->mode = mode;
    session->sink = &sink;
    session->keys = keys;
    session->buttons = buttons;
    session->abortFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (session->abortFd < 0)
        return false;
    std::future<bool> started = session->started.get_future();
    Session* running = session.get();
    m_worker = std::thread([running] {
        bool opened = running->Open();
        running->started.set_value(opened);
        if (opened)
            running->Run();
        running->Close();
    });
    m_session = std::move(session);
    if (started.get())
        return true;
    Stop();
    return false;
}

void X11InputCapture::Stop()
{
    if (!m_session)
        return;
    uint64_t one = 1;
    if (write(m_session->abortFd, &one, sizeof one) != sizeof one)
        DebugOutput("input capture: abort event not written");
    if (m_worker.joinable())
        m_worker.join();
    m_session.reset();
}

} // namespace platform
