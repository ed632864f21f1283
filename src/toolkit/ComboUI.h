#pragma once

#include "toolkit/ContainerUI.h"
#include "toolkit/ListOwnerBase.h"

class CComboWnd;

// A field showing the selected row; a click opens the rows in a drop-down window. Rows are
// list elements and may carry user data. "itemselect" goes out when the selection changes
// (wParam new index, lParam old index) unless the caller asks for no event.
class CComboUI : public CListOwnerBase<CContainerUI> {
public:
    CComboUI();
    ~CComboUI() override;
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
    // The same as SelectItem.
    bool SelectItem1(int index, bool takeFocus = false, bool triggerEvent = true);
    CDuiString GetText() const override;
    bool Activate() override;
    bool IsDropped() const { return m_pWindow != nullptr; }
    void CloseDrop();
    SIZE GetDropBoxSize() const { return m_szDropBox; }
    void SetDropBoxSize(SIZE size) { m_szDropBox = size; }
    DWORD GetDropBkColor() const { return m_dwDropBkColor; }

    void SetPos(RECT rc, bool needInvalidate = true) override;
    CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
    void DoEvent(TEventUI& event) override;
    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl = nullptr) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    friend class CComboWnd;
    void PaintArrow(HDC hDC);

    CComboWnd* m_pWindow = nullptr;
    SIZE m_szDropBox{0, 200};
    DWORD m_dwTextColor = 0;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwArrowColor = 0;
    DWORD m_dwDropBkColor = 0xFFFFFFFF;
    int m_iFont = -1;
    RECT m_rcTextPadding{8, 0, 24, 0};
};
