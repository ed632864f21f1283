#include "toolkit/PaintManagerUI.h"

#include "toolkit/ContainerUI.h"
#include "toolkit/DrawInfo.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/UIHost.h"
#include "toolkit/UIParse.h"
#include "toolkit/WindowWnd.h"
#include "platform/Folders.h"

#include <algorithm>

void* CPaintManagerUI::s_instance = nullptr;
int CPaintManagerUI::s_resourceType = 1;

namespace {

std::vector<CPaintManagerUI*>& AllManagers()
{
    static std::vector<CPaintManagerUI*> managers;
    return managers;
}

std::string& InstancePath()
{
    static std::string path;
    return path;
}

std::string& ResourcePath()
{
    static std::string path;
    return path;
}

std::map<int, TFontInfo>& SharedFonts()
{
    static std::map<int, TFontInfo> fonts;
    return fonts;
}

int& SharedDefaultFont()
{
    static int id = -1;
    return id;
}

void RemoveAllSharedFonts()
{
    SharedFonts().clear();
    SharedDefaultFont() = -1;
}

std::map<std::string, CDuiString>& SharedDefaults()
{
    static std::map<std::string, CDuiString> defaults;
    return defaults;
}

std::map<std::string, std::unique_ptr<TImageInfo>>& SharedImages()
{
    static std::map<std::string, std::unique_ptr<TImageInfo>> images;
    return images;
}

WORD& LastKeyState()
{
    static WORD state = 0;
    return state;
}

std::string WithSlash(std::string path)
{
    path = NormalizePath(std::move(path));
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

CControlUI* FindControlFromPoint(CControlUI* control, void* data)
{
    return PtInRect(&control->GetPos(), *static_cast<POINT*>(data)) ? control : nullptr;
}

bool IsClickable(CControlUI* control)
{
    for (const char* kind : {"Button", "Edit", "Slider", "Combo", "ColorPalette", "ListItem"})
        if (control->GetInterface(kind))
            return true;
    return false;
}

} // namespace

short GetKeyState(int virtualKey)
{
    WORD state = LastKeyState();
    bool down = (virtualKey == VK_CONTROL && (state & MK_CONTROL)) || (virtualKey == VK_SHIFT && (state & MK_SHIFT));
    return down ? short(-128) : short(0);
}

CPaintManagerUI::CPaintManagerUI() : m_alive(std::make_shared<CPaintManagerUI*>(this))
{
    AllManagers().push_back(this);
}

CPaintManagerUI::~CPaintManagerUI()
{
    RemoveAllTimers();
    delete m_pRoot;
    auto& all = AllManagers();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CPaintManagerUI::Init(HWND hWnd, const char* name)
{
    m_hWndPaint = hWnd;
    m_sName = name ? name : "";
}

CWindowWnd* CPaintManagerUI::GetWindow() const
{
    return CMessageQueue::Instance().Lookup(m_hWndPaint);
}

bool CPaintManagerUI::AttachDialog(CControlUI* root)
{
    if (!root)
        return false;
    if (m_pRoot && m_pRoot != root)
        delete m_pRoot;
    m_pFocus = m_pEventHover = m_pEventClick = nullptr;
    m_pRoot = root;
    m_bFirstLayout = true;
    InitControls(root, nullptr);
    NeedUpdate();
    return true;
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent)
{
    if (!control)
        return false;
    control->SetManager(this, parent ? parent : control->GetParent(), true);
    RegisterNames(control);
    control->Init();
    return true;
}

void CPaintManagerUI::RegisterNames(CControlUI* control)
{
    control->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            auto* self = static_cast<CPaintManagerUI*>(data);
            CDuiString name = c->GetName();
            if (!name.empty()) {
                auto range = self->m_names.equal_range(name);
                bool known = std::any_of(range.first, range.second, [c](const auto& entry) { return entry.second == c; });
                if (!known)
                    self->m_names.emplace(name, c);
            }
            c->Init();
            return nullptr;
        },
        this, UIFIND_ALL);
}

void CPaintManagerUI::ReapObjects(CControlUI* control)
{
    if (!control)
        return;
    control->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            auto* self = static_cast<CPaintManagerUI*>(data);
            if (self->m_pFocus == c)
                self->m_pFocus = nullptr;
            if (self->m_pEventHover == c)
                self->m_pEventHover = nullptr;
            if (self->m_pEventClick == c)
                self->m_pEventClick = nullptr;
            auto range = self->m_names.equal_range(c->GetName());
            for (auto it = range.first; it != range.second;)
                it = it->second == c ? self->m_names.erase(it) : std::next(it);
            for (auto& [group, members] : self->m_optionGroups)
                members.erase(std::remove(members.begin(), members.end(), c), members.end());
            self->KillTimer(c);
            return nullptr;
        },
        this, UIFIND_ALL);
    if (m_pRoot == control)
        m_pRoot = nullptr;
}

CControlUI* CPaintManagerUI::FindControl(const CDuiString& name) const
{
    auto it = m_names.find(name);
    return it == m_names.end() ? nullptr : it->second;
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const
{
    if (!m_pRoot)
        return nullptr;
    return m_pRoot->FindControl(FindControlFromPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, const CDuiString& name) const
{
    if (!parent)
        parent = m_pRoot;
    if (!parent)
        return nullptr;
    return parent->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            return c->GetName() == *static_cast<const CDuiString*>(data) ? c : nullptr;
        },
        const_cast<CDuiString*>(&name), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* parent, const char* className, int index) const
{
    if (!parent)
        parent = m_pRoot;
    if (!parent)
        return nullptr;
    struct Query {
        const char* className;
        int remaining;
    } query{className, index};
    return parent->FindControl(
        [](CControlUI* c, void* data) -> CControlUI* {
            auto* q = static_cast<Query*>(data);
            if (!EqualsNoCase(c->GetClass(), q->className))
                return nullptr;
            return q->remaining-- == 0 ? c : nullptr;
        },
        &query, UIFIND_ALL);
}

void CPaintManagerUI::RenameControl(CControlUI* control, const CDuiString& oldName, const CDuiString& newName)
{
    auto range = m_names.equal_range(oldName);
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == control) {
            m_names.erase(it);
            break;
        }
    if (!newName.empty())
        m_names.emplace(newName, control);
}

void CPaintManagerUI::AddOptionGroup(const CDuiString& group, CControlUI* control)
{
    auto& members = m_optionGroups[group];
    if (std::find(members.begin(), members.end(), control) == members.end())
        members.push_back(control);
}

void CPaintManagerUI::RemoveOptionGroup(const CDuiString& group, CControlUI* control)
{
    auto it = m_optionGroups.find(group);
    if (it == m_optionGroups.end())
        return;
    auto& members = it->second;
    members.erase(std::remove(members.begin(), members.end(), control), members.end());
    if (members.empty())
        m_optionGroups.erase(it);
}

std::vector<CControlUI*> CPaintManagerUI::GetOptionGroup(const CDuiString& group) const
{
    auto it = m_optionGroups.find(group);
    return it == m_optionGroups.end() ? std::vector<CControlUI*>{} : it->second;
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier)
{
    if (!notifier || std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
        return false;
    m_notifiers.push_back(notifier);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier)
{
    auto it = std::find(m_notifiers.begin(), m_notifiers.end(), notifier);
    if (it == m_notifiers.end())
        return false;
    m_notifiers.erase(it);
    return true;
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async)
{
    msg.ptMouse = m_ptLastMouse;
    if (IUIHost* host = UIHost())
        msg.dwTimestamp = host->NowMs();
    if (async) {
        std::weak_ptr<CPaintManagerUI*> alive = m_alive;
        TNotifyUI copy = msg;
        CMessageQueue::Instance().PostTask([alive, copy]() mutable {
            if (auto self = alive.lock())
                (*self)->SendNotify(copy, false);
        });
        return;
    }
    // A notifier may remove itself or others while handling; walk a copy.
    std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers)
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end())
            notifier->Notify(msg);
}

void CPaintManagerUI::SendNotify(CControlUI* control, const CDuiString& type, WPARAM wParam, LPARAM lParam, bool async)
{
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter)
{
    if (!filter || std::find(m_filters.begin(), m_filters.end(), filter) != m_filters.end())
        return false;
    m_filters.push_back(filter);
    return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter)
{
    auto it = std::find(m_filters.begin(), m_filters.end(), filter);
    if (it == m_filters.end())
        return false;
    m_filters.erase(it);
    return true;
}

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT id, UINT elapseMs)
{
    if (!control)
        return false;
    std::weak_ptr<CPaintManagerUI*> alive = m_alive;
    CMessageQueue::Instance().SetTimer(control, id, elapseMs, [alive, control, id] {
        auto self = alive.lock();
        if (!self)
            return;
        TEventUI event;
        event.Type = UIEVENT_TIMER;
        event.pSender = control;
        event.wParam = id;
        if (IUIHost* host = UIHost())
            event.dwTimestamp = host->NowMs();
        control->Event(event);
    });
    if (std::find(m_timers.begin(), m_timers.end(), std::make_pair(control, id)) == m_timers.end())
        m_timers.emplace_back(control, id);
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT id)
{
    auto it = std::find(m_timers.begin(), m_timers.end(), std::make_pair(control, id));
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    CMessageQueue::Instance().KillTimer(control, id);
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control)
{
    CMessageQueue::Instance().KillTimers(control);
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(), [control](const auto& t) { return t.first == control; }),
                   m_timers.end());
}

void CPaintManagerUI::RemoveAllTimers()
{
    for (const auto& [control, id] : m_timers)
        CMessageQueue::Instance().KillTimer(control, id);
    m_timers.clear();
}

void CPaintManagerUI::SetFocus(CControlUI* control)
{
    if (control == m_pFocus)
        return;
    if (CControlUI* old = m_pFocus) {
        m_pFocus = nullptr;
        SendEvent(old, UIEVENT_KILLFOCUS, m_ptLastMouse, 0, 0);
        SendNotify(old, "killfocus");
    }
    if (control && control->GetManager() == this && control->IsVisible() && control->IsEnabled()) {
        m_pFocus = control;
        SendEvent(control, UIEVENT_SETFOCUS, m_ptLastMouse, 0, 0);
        SendNotify(control, "setfocus");
    }
}

void CPaintManagerUI::SetCapture()
{
    m_bMouseCapture = true;
    if (CWindowWnd* window = GetWindow())
        if (INativeWindow* native = window->GetNativeWindow())
            native->SetCapture(true);
}

void CPaintManagerUI::ReleaseCapture()
{
    m_bMouseCapture = false;
    if (CWindowWnd* window = GetWindow())
        if (INativeWindow* native = window->GetNativeWindow())
            native->SetCapture(false);
}

void CPaintManagerUI::Invalidate()
{
    SIZE size = GetClientSize();
    Invalidate(RECT{0, 0, size.cx, size.cy});
}

void CPaintManagerUI::Invalidate(const RECT& rc)
{
    if (CWindowWnd* window = GetWindow())
        if (INativeWindow* native = window->GetNativeWindow())
            native->Invalidate(rc);
}

void CPaintManagerUI::NeedUpdate()
{
    m_bUpdateNeeded = true;
    ScheduleLayout();
}

void CPaintManagerUI::ScheduleLayout()
{
    if (m_bLayoutScheduled || !m_hWndPaint)
        return;
    m_bLayoutScheduled = true;
    std::weak_ptr<CPaintManagerUI*> alive = m_alive;
    CMessageQueue::Instance().PostTask([alive] {
        if (auto self = alive.lock()) {
            (*self)->m_bLayoutScheduled = false;
            (*self)->UpdateLayout();
        }
    });
}

void CPaintManagerUI::UpdateLayout()
{
    if (!m_pRoot || !m_hWndPaint)
        return;
    SIZE client = GetClientSize();
    if (client.cx <= 0 || client.cy <= 0)
        return;
    bool sizeChanged = !(client == m_szLastClient);
    if (m_bUpdateNeeded || sizeChanged || m_pRoot->IsUpdateNeeded()) {
        m_bUpdateNeeded = false;
        if (sizeChanged || m_pRoot->IsUpdateNeeded()) {
            m_pRoot->SetPos(RECT{0, 0, client.cx, client.cy}, false);
        } else {
            std::vector<CControlUI*> pending;
            m_pRoot->FindControl(
                [](CControlUI* c, void* data) -> CControlUI* {
                    if (c->IsUpdateNeeded())
                        static_cast<std::vector<CControlUI*>*>(data)->push_back(c);
                    return nullptr;
                },
                &pending, UIFIND_VISIBLE);
            for (CControlUI* c : pending)
                if (c->IsUpdateNeeded())
                    c->SetPos(c->GetPos(), false);
        }
        Invalidate();
    }
    m_szLastClient = client;
    if (m_bFirstLayout) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, "windowinit");
    } else if (sizeChanged) {
        SendNotify(m_pRoot, "windowsize");
    }
}

void CPaintManagerUI::Paint(HDC hDC, const RECT& rcPaint)
{
    UpdateLayout();
    if (m_pRoot)
        m_pRoot->DoPaint(hDC, rcPaint, nullptr);
}

SIZE CPaintManagerUI::GetClientSize() const
{
    CWindowWnd* window = GetWindow();
    if (!window)
        return SIZE{};
    RECT rc = window->GetClientRect();
    return SIZE{rc.right, rc.bottom};
}

SIZE CPaintManagerUI::GetInitSize() const
{
    return m_dpi.Scale(m_szInitWindow);
}

void CPaintManagerUI::SetInitSize(int cx, int cy)
{
    m_szInitWindow = SIZE{cx, cy};
    if (CWindowWnd* window = GetWindow())
        window->ResizeClient(m_dpi.Scale(cx), m_dpi.Scale(cy));
}

RECT CPaintManagerUI::GetCaptionRect() const
{
    return m_dpi.Scale(m_rcCaption);
}

bool CPaintManagerUI::IsCaptionPoint(POINT pt) const
{
    SIZE client = GetClientSize();
    RECT caption = GetCaptionRect();
    RECT area{caption.left, caption.top, client.cx - caption.right, caption.bottom};
    if (!PtInRect(&area, pt))
        return false;
    CControlUI* control = FindControl(pt);
    return !control || !IsClickable(control);
}

void CPaintManagerUI::SetDPI(int dpi)
{
    if (dpi <= 0 || dpi == m_dpi.GetDPI())
        return;
    int old = m_dpi.GetDPI();
    m_dpi.SetDPI(dpi);
    if (CWindowWnd* window = GetWindow()) {
        RECT rc = window->GetWindowRect();
        int cx = (rc.right - rc.left) * dpi / old;
        int cy = (rc.bottom - rc.top) * dpi / old;
        window->SetWindowPos(0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ResetDPIAssets();
}

void CPaintManagerUI::ResetDPIAssets()
{
    m_drawInfos.clear();
    if (m_pRoot)
        m_pRoot->NeedUpdate();
    NeedUpdate();
    Invalidate();
}

void CPaintManagerUI::SetAllDPI(int dpi)
{
    for (CPaintManagerUI* manager : AllManagers())
        manager->SetDPI(dpi);
}

void CPaintManagerUI::AddSharedFont(int id, const TFontInfo& font, bool isDefault)
{
    SharedFonts()[id] = font;
    if (isDefault)
        SharedDefaultFont() = id;
}

void CPaintManagerUI::AddSharedDefaultAttributeList(const CDuiString& controlName, const CDuiString& list)
{
    SharedDefaults()[ToLowerAscii(controlName)] = list;
}

void CPaintManagerUI::AddFont(int id, const CDuiString& name, int size, bool bold, bool underline, bool italic,
                              bool isDefault, bool shared)
{
    TFontInfo font{name, size, bold, underline, italic};
    if (shared) {
        AddSharedFont(id, font, isDefault);
        return;
    }
    m_fonts[id] = font;
    if (isDefault)
        m_defaultFontId = id;
}

void CPaintManagerUI::RemoveAllFonts(bool shared)
{
    if (shared) {
        RemoveAllSharedFonts();
        return;
    }
    m_fonts.clear();
    m_defaultFontId = -1;
}

const TFontInfo& CPaintManagerUI::GetFont(int id) const
{
    if (auto it = m_fonts.find(id); it != m_fonts.end())
        return it->second;
    if (auto it = SharedFonts().find(id); it != SharedFonts().end())
        return it->second;
    return GetDefaultFontInfo();
}

const TFontInfo& CPaintManagerUI::GetDefaultFontInfo() const
{
    static const TFontInfo fallback{"Noto Sans", 12, false, false, false};
    if (auto it = m_fonts.find(m_defaultFontId); it != m_fonts.end())
        return it->second;
    if (auto it = SharedFonts().find(SharedDefaultFont()); it != SharedFonts().end())
        return it->second;
    return fallback;
}

void CPaintManagerUI::AddDefaultAttributeList(const CDuiString& controlName, const CDuiString& list, bool shared)
{
    if (shared)
        AddSharedDefaultAttributeList(controlName, list);
    else
        m_defaultAttributes[ToLowerAscii(controlName)] = list;
}

CDuiString CPaintManagerUI::GetDefaultAttributeList(const CDuiString& controlName) const
{
    std::string key = ToLowerAscii(controlName);
    if (auto it = m_defaultAttributes.find(key); it != m_defaultAttributes.end())
        return it->second;
    if (auto it = SharedDefaults().find(key); it != SharedDefaults().end())
        return it->second;
    return {};
}

const TImageInfo* CPaintManagerUI::GetImageEx(const CDuiString& name, const char*, DWORD mask, bool)
{
    return GetImageShared(name, mask);
}

const TImageInfo* CPaintManagerUI::GetImageShared(const CDuiString& name, DWORD mask)
{
    if (name.empty())
        return nullptr;
    std::string path = ResolvePath(name);
    std::string key = path + "#" + std::to_string(mask);
    auto& images = SharedImages();
    if (auto it = images.find(key); it != images.end())
        return it->second.get();
    IUIHost* host = UIHost();
    auto image = std::make_unique<TImageInfo>();
    image->dwMask = mask;
    image->sPath = path;
    if (!host)
        return nullptr;
    if (!host->LoadImage(path, *image)) {
        // Skins name pictures as ".png"; an SVG of the same name stands in, sharp at any DPI.
        const std::string png = ".png";
        if (path.size() <= png.size() || path.compare(path.size() - png.size(), png.size(), png) != 0)
            return nullptr;
        image->sPath = path.substr(0, path.size() - png.size()) + ".svg";
        if (!host->LoadImage(image->sPath, *image))
            return nullptr;
    }
    return (images[key] = std::move(image)).get();
}

void CPaintManagerUI::ClearSharedImages()
{
    SharedImages().clear();
}

void CPaintManagerUI::ClearSharedResources()
{
    RemoveAllSharedFonts();
    SharedDefaults().clear();
}

const TDrawInfo* CPaintManagerUI::GetDrawInfo(const CDuiString& drawString, const CDuiString& modify)
{
    std::string key = drawString + "\x01" + modify;
    auto& slot = m_drawInfos[key];
    if (!slot) {
        slot = std::make_unique<TDrawInfo>();
        slot->Parse(drawString, modify);
    }
    return slot.get();
}

CDuiString CPaintManagerUI::GetInstancePath()
{
    if (InstancePath().empty())
        return WithSlash(platform::Folders::ProgramFolder());
    return InstancePath();
}

void CPaintManagerUI::SetInstancePath(const CDuiString& path)
{
    InstancePath() = WithSlash(path);
}

CDuiString CPaintManagerUI::GetResourcePath()
{
    return ResourcePath();
}

void CPaintManagerUI::SetResourcePath(const CDuiString& path)
{
    ResourcePath() = WithSlash(path);
}

std::string CPaintManagerUI::ResolvePath(const CDuiString& name)
{
    std::string path = NormalizePath(name);
    if (path.empty() || path.front() == '/')
        return path;
    return ResourcePath() + path;
}

int CPaintManagerUI::MessageLoop()
{
    CMessageQueue& queue = CMessageQueue::Instance();
    if (IUIHost* host = UIHost())
        host->RunLoop([&queue] { return !queue.QuitRequested(); });
    return queue.QuitCode();
}

const std::vector<CPaintManagerUI*>& CPaintManagerUI::GetPaintManagers()
{
    return AllManagers();
}

void CPaintManagerUI::SendEvent(CControlUI* control, int type, POINT pt, WPARAM wParam, LPARAM lParam, UINT key)
{
    if (!control)
        return;
    TEventUI event;
    event.Type = type;
    event.pSender = control;
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    event.chKey = key;
    event.wKeyState = m_wKeyState;
    if (IUIHost* host = UIHost())
        event.dwTimestamp = host->NowMs();
    control->Event(event);
}

void CPaintManagerUI::UpdateHover(POINT pt)
{
    CControlUI* hover = FindControl(pt);
    if (hover == m_pEventHover)
        return;
    CControlUI* old = m_pEventHover;
    m_pEventHover = hover;
    if (CWindowWnd* window = GetWindow())
        if (INativeWindow* native = window->GetNativeWindow())
            native->SetToolTip(hover ? std::string(hover->GetToolTip()) : std::string());
    if (old)
        SendEvent(old, UIEVENT_MOUSELEAVE, pt);
    if (hover && m_pEventHover == hover)
        SendEvent(hover, UIEVENT_MOUSEENTER, pt);
}

void CPaintManagerUI::DispatchMouse(UINT uMsg, WPARAM wParam, POINT pt)
{
    m_ptLastMouse = pt;
    m_wKeyState = WORD(wParam);
    LastKeyState() = m_wKeyState;
    switch (uMsg) {
    case WM_MOUSEMOVE:
        UpdateHover(pt);
        if (m_pEventClick)
            SendEvent(m_pEventClick, UIEVENT_MOUSEMOVE, pt);
        else if (m_pEventHover)
            SendEvent(m_pEventHover, UIEVENT_MOUSEMOVE, pt);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        UpdateHover(pt);
        CControlUI* control = FindControl(pt);
        if (!control)
            return;
        m_pEventClick = control;
        control->SetFocus();
        SetCapture();
        if (m_pEventClick == control)
            SendEvent(control, uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt);
        return;
    }
    case WM_LBUTTONUP: {
        ReleaseCapture();
        CControlUI* control = m_pEventClick;
        m_pEventClick = nullptr;
        if (control)
            SendEvent(control, UIEVENT_BUTTONUP, pt);
        UpdateHover(pt);
        return;
    }
    case WM_RBUTTONDOWN:
        if (CControlUI* control = FindControl(pt)) {
            control->SetFocus();
            SendEvent(control, UIEVENT_RBUTTONDOWN, pt);
        }
        return;
    case WM_RBUTTONUP:
        if (CControlUI* control = FindControl(pt)) {
            SendEvent(control, UIEVENT_RBUTTONUP, pt);
            if (FindControl(pt) == control)
                SendEvent(control, UIEVENT_CONTEXTMENU, pt, 0, MAKELPARAM(pt.x, pt.y));
        }
        return;
    default:
        return;
    }
}

namespace {

// Fields, buttons (options and check boxes too) and combos take the focus from Tab.
bool IsTabStop(CControlUI* control)
{
    return control->IsKeyboardEnabled() &&
           (control->GetInterface("Edit") || control->GetInterface("Button") || control->GetInterface("Combo"));
}

// Moves the focus to the next (or previous) visible, enabled tab stop in tree order, wrapping.
void MoveFocusByTab(CPaintManagerUI& manager, bool forward)
{
    CControlUI* root = manager.GetRoot();
    if (!root)
        return;
    std::vector<CControlUI*> stops;
    root->FindControl(
        [](CControlUI* control, void* found) -> CControlUI* {
            if (IsTabStop(control))
                static_cast<std::vector<CControlUI*>*>(found)->push_back(control);
            return nullptr;
        },
        &stops, UIFIND_VISIBLE | UIFIND_ENABLED);
    if (stops.empty())
        return;
    auto current = std::find(stops.begin(), stops.end(), manager.GetFocus());
    size_t next = forward ? 0 : stops.size() - 1;
    if (current != stops.end()) {
        size_t at = size_t(current - stops.begin());
        next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    }
    manager.SetFocus(stops[next]);
}

} // namespace

bool CPaintManagerUI::PreMessageHandler(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (IMessageFilterUI* filter : std::vector<IMessageFilterUI*>(m_filters)) {
        bool handled = false;
        LRESULT r = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            result = r;
            return true;
        }
    }
    switch (uMsg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        DispatchMouse(uMsg, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return false;
    case WM_MOUSELEAVE:
        if (m_pEventHover && !m_bMouseCapture) {
            CControlUI* old = m_pEventHover;
            m_pEventHover = nullptr;
            SendEvent(old, UIEVENT_MOUSELEAVE, m_ptLastMouse);
        }
        return false;
    case WM_MOUSEWHEEL: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int delta = int16_t(HIWORD(wParam));
        if (CControlUI* control = FindControl(pt))
            SendEvent(control, UIEVENT_SCROLLWHEEL, pt, delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0);
        return false;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (uMsg == WM_KEYDOWN && wParam == VK_TAB) {
            MoveFocusByTab(*this, (lParam & MK_SHIFT) == 0);
            return false;
        }
        m_wKeyState = WORD(lParam);
        LastKeyState() = m_wKeyState;
        if (m_pFocus)
            SendEvent(m_pFocus, uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN : uMsg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_CHAR,
                      m_ptLastMouse, wParam, lParam, UINT(wParam));
        return false;
    case WM_SIZE:
        if (m_pRoot)
            m_pRoot->NeedUpdate();
        NeedUpdate();
        return false;
    case WM_KILLFOCUS:
        SetFocus(nullptr);
        return false;
    case WM_CLOSE:
        if (m_pEventHover)
            SendEvent(m_pEventHover, UIEVENT_MOUSELEAVE, m_ptLastMouse);
        m_pEventHover = m_pEventClick = nullptr;
        SetFocus(nullptr);
        return false;
    default:
        return false;
    }
}
