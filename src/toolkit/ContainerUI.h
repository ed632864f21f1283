#pragma once

#include "toolkit/ControlUI.h"

#include <vector>

// A control holding children. A plain container gives each child its inner rectangle
// (inset, minus the child's padding; a fixed size anchors at the top-left). Float children
// sit at their "pos" relative to the container. The linear layouts derive from this.
class CContainerUI : public CControlUI {
public:
    CContainerUI() = default;
    ~CContainerUI() override;

    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;

    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(CControlUI* control) const;
    bool SetItemIndex(CControlUI* control, int index);
    int GetCount() const { return int(m_items.size()); }
    virtual bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Removes and (unless doNotDestroy or auto-destroy is off) deletes the control.
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    virtual bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();
    bool IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(bool autoDestroy) { m_bAutoDestroy = autoDestroy; }

    RECT GetInset() const;
    void SetInset(RECT inset);
    int GetChildPadding() const;
    void SetChildPadding(int padding);
    bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
    void SetMouseChildEnabled(bool enabled = true) { m_bMouseChildEnabled = enabled; }
    // Vertical scroll offset in device pixels (layouts with "vscrollbar").
    int GetScrollPos() const { return m_nScrollPos; }
    void SetScrollPos(int pos);
    int GetScrollRange() const { return m_nScrollRange; }

    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void SetMouseEnabled(bool enabled = true) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControl(FINDCONTROLPROC proc, void* data, UINT flags) override;
    void SetPos(RECT rc, bool needInvalidate = true) override;
    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl = nullptr) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

protected:
    // Places a float child at its "pos" inside this container.
    void SetFloatPos(CControlUI* child);
    // True for a child the layout passes over: hidden, or float (placed here by its "pos").
    bool SkipInLayout(CControlUI* child);
    // Lays the non-float children out in a row (vertical = a column) inside rc.
    void LayoutLine(RECT rc, bool vertical);
    RECT InnerRect() const;
    void PaintScrollIndicator(HDC hDC);

    std::vector<CControlUI*> m_items;
    RECT m_rcInset;
    int m_iChildPadding = 0;
    UINT m_uChildAlign = DT_LEFT;
    UINT m_uChildVAlign = DT_TOP;
    bool m_bAutoDestroy = true;
    bool m_bMouseChildEnabled = true;
    bool m_bScrollable = false;
    int m_nScrollPos = 0;
    int m_nScrollRange = 0;
};
