#pragma once

// The base of every control: position and size rules, visibility, state, colours and images,
// texts (plain or by language key), attributes by name, painting and event handling.
//
// Sizes given to setters are skin units (pixels at 96 DPI); getters of fixed sizes and every
// position are device pixels of the window at its DPI.

#include "toolkit/DuiString.h"
#include "toolkit/Painter.h"
#include "toolkit/UIDefs.h"

#include <string_view>

class CControlUI;
class CPaintManagerUI;

struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    POINT ptMouse;
    UINT chKey = 0;      // virtual key for key events, a code point for UIEVENT_CHAR
    WORD wKeyState = 0;  // MK_* bits
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

using FINDCONTROLPROC = CControlUI* (*)(CControlUI* control, void* data);

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    virtual CDuiString GetName() const;
    virtual void SetName(const CDuiString& name);
    virtual const char* GetClass() const;
    // The object as the named interface ("Control", "Container", "ListItem" ...), or null.
    virtual void* GetInterface(std::string_view name);
    // Sends "click" when the control is enabled and visible; false otherwise.
    virtual bool Activate();
    bool IsActive() const;

    virtual CPaintManagerUI* GetManager() const;
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    virtual CControlUI* GetParent() const;

    // The shown text: the language's text when the stored text is a key "%[key]".
    virtual CDuiString GetText() const;
    virtual void SetText(const CDuiString& text);
    // The stored text, key form included.
    const CDuiString& GetTextRaw() const { return m_sText; }

    DWORD GetBkColor() const { return m_dwBackColor; }
    void SetBkColor(DWORD argb);
    DWORD GetBorderColor() const { return m_dwBorderColor; }
    void SetBorderColor(DWORD argb);
    DWORD GetFocusBorderColor() const { return m_dwFocusBorderColor; }
    void SetFocusBorderColor(DWORD argb);
    int GetBorderSize() const;
    void SetBorderSize(int size);
    int GetBorderRound() const;
    void SetBorderRound(int radius);
    const CDuiString& GetBkImage() const { return m_sBkImage; }
    void SetBkImage(const CDuiString& image);
    const CDuiString& GetForeImage() const { return m_sForeImage; }
    void SetForeImage(const CDuiString& image);
    // The colour as painted; a hook for colour adjustment of the whole skin (none here).
    DWORD GetAdjustColor(DWORD argb) const { return argb; }

    virtual const RECT& GetPos() const { return m_rcItem; }
    virtual void SetPos(RECT rc, bool needInvalidate = true);
    int GetWidth() const { return m_rcItem.right - m_rcItem.left; }
    int GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
    RECT GetPadding() const;
    void SetPadding(RECT padding);
    // Float position (skin units) relative to the parent's top-left.
    SIZE GetFixedXY() const { return m_cXY; }
    void SetFixedXY(SIZE xy);
    int GetFixedWidth() const;
    void SetFixedWidth(int cx);
    int GetFixedHeight() const;
    void SetFixedHeight(int cy);
    int GetMinWidth() const;
    void SetMinWidth(int cx);
    int GetMaxWidth() const;
    void SetMaxWidth(int cx);
    int GetMinHeight() const;
    void SetMinHeight(int cy);
    int GetMaxHeight() const;
    void SetMaxHeight(int cy);
    // The size this control wants in device pixels; 0 in a dimension means "stretch".
    virtual SIZE EstimateSize(SIZE available);

    CDuiString GetToolTip() const;
    void SetToolTip(const CDuiString& text);
    const CDuiString& GetUserData() const { return m_sUserData; }
    void SetUserData(const CDuiString& data) { m_sUserData = data; }
    UINT_PTR GetTag() const { return m_pTag; }
    void SetTag(UINT_PTR tag) { m_pTag = tag; }

    virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
    virtual void SetVisible(bool visible = true);
    // Visibility handed down by a parent (a hidden container hides its children).
    virtual void SetInternVisible(bool visible = true);
    // Enabled itself and inside enabled parents: a disabled container disables what it holds
    // without changing the children's own settings.
    virtual bool IsEnabled() const { return m_bEnabled && (!m_pParent || m_pParent->IsEnabled()); }
    virtual void SetEnabled(bool enabled = true);
    bool IsMouseEnabled() const { return m_bMouseEnabled; }
    virtual void SetMouseEnabled(bool enabled = true) { m_bMouseEnabled = enabled; }
    bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
    void SetKeyboardEnabled(bool enabled = true) { m_bKeyboardEnabled = enabled; }
    virtual bool IsFocused() const { return m_bFocused; }
    virtual void SetFocus();
    bool IsFloat() const { return m_bFloat; }
    void SetFloat(bool isFloat = true);
    bool IsContextMenuUsed() const { return m_bMenuUsed; }
    void SetContextMenuUsed(bool used) { m_bMenuUsed = used; }
    UINT GetState() const { return m_uButtonState; }

    // Walks the tree (this control, then children for containers) and returns the first
    // control for which proc answers non-null.
    virtual CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags);

    void Invalidate();
    bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
    void NeedUpdate();
    void NeedParentUpdate();

    // Called once when the control joins a window.
    void Init();
    virtual void DoInit() {}

    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);

    virtual void SetAttribute(std::string_view name, std::string_view value);
    // Applies `name="value" ...` in order.
    CControlUI* ApplyAttributeList(std::string_view list);

    // Paints this control where it meets rcPaint; false stops the painting of later siblings.
    virtual bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl = nullptr);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC hDC);
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);
    // Draws a draw string over this control (dest relative to the control); false on failure.
    bool DrawImage(HDC hDC, const CDuiString& image, const CDuiString& modify = "");

    // Skin units to device pixels with the window's DPI (96 without a window).
    int Scale(int value) const;
    RECT Scale(RECT rc) const;

protected:
    // Mouse enter and leave: sets or clears the hot state and repaints; true when the event was
    // one of the two (a disabled control stays cold).
    bool TrackHot(const TEventUI& event);
    // Fills the control's rectangle (rounded by its border round) in argb; 0 paints nothing.
    void PaintBackground(HDC hDC, DWORD argb);

    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    CDuiString m_sName;
    CDuiString m_sText;
    CDuiString m_sToolTip;
    CDuiString m_sUserData;
    UINT_PTR m_pTag = 0;
    RECT m_rcItem;
    RECT m_rcPaint;
    RECT m_rcPadding;
    SIZE m_cXY;
    SIZE m_cxyFixed;
    SIZE m_cxyMin;
    SIZE m_cxyMax{9999, 9999};
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bUpdateNeeded = true;
    bool m_bMenuUsed = false;
    bool m_bInited = false;
    UINT m_uButtonState = 0;
    DWORD m_dwBackColor = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    int m_nBorderRound = 0;
    CDuiString m_sBkImage;
    CDuiString m_sForeImage;
};
