#include "toolkit/OptionUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/UIParse.h"

COptionUI::~COptionUI()
{
    if (!m_sGroupName.empty() && m_pManager)
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

const char* COptionUI::GetClass() const
{
    return "OptionUI";
}

void* COptionUI::GetInterface(std::string_view name)
{
    return name == "Option" ? this : CButtonUI::GetInterface(name);
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init)
{
    if (m_pManager && m_pManager != manager && !m_sGroupName.empty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    CButtonUI::SetManager(manager, parent, init);
    if (manager && !m_sGroupName.empty())
        manager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::SetGroup(const CDuiString& group)
{
    if (group == m_sGroupName)
        return;
    if (m_pManager && !m_sGroupName.empty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = group;
    if (m_pManager && !group.empty())
        m_pManager->AddOptionGroup(group, this);
    Selected(m_bSelected, false);
}

void COptionUI::Selected(bool selected, bool triggerEvent)
{
    if (m_bSelected == selected)
        return;
    if (selected && m_pManager && !m_sGroupName.empty()) {
        for (CControlUI* member : m_pManager->GetOptionGroup(m_sGroupName))
            if (member != this)
                static_cast<COptionUI*>(member)->Selected(false, triggerEvent);
    }
    m_bSelected = selected;
    if (selected)
        m_uButtonState |= UISTATE_SELECTED;
    else
        m_uButtonState &= ~UISTATE_SELECTED;
    if (selected)
        SwitchBoundTab();
    if (triggerEvent && m_pManager)
        m_pManager->SendNotify(this, "selectchanged");
    Invalidate();
}

void COptionUI::BindTabLayout(const CDuiString& tabLayoutName, int index)
{
    m_sBindTabName = tabLayoutName;
    m_iBindTabIndex = index;
    if (m_bSelected)
        SwitchBoundTab();
}

void COptionUI::SwitchBoundTab()
{
    if (m_sBindTabName.empty() || m_iBindTabIndex < 0 || !m_pManager)
        return;
    if (auto* tab = static_cast<CTabLayoutUI*>(m_pManager->FindControl(m_sBindTabName)))
        if (tab->GetInterface("TabLayout"))
            tab->SelectItem(m_iBindTabIndex);
}

bool COptionUI::Activate()
{
    if (!CButtonUI::Activate())
        return false;
    if (!m_sGroupName.empty())
        Selected(true);
    else
        Selected(!m_bSelected);
    return true;
}

void COptionUI::SetSelectedImage(const CDuiString& image) { m_sSelectedImage = image; Invalidate(); }
void COptionUI::SetSelectedHotImage(const CDuiString& image) { m_sSelectedHotImage = image; Invalidate(); }
void COptionUI::SetSelectedBkColor(DWORD argb) { m_dwSelectedBkColor = argb; Invalidate(); }
void COptionUI::SetSelectedTextColor(DWORD argb) { m_dwSelectedTextColor = argb; Invalidate(); }

DWORD COptionUI::CurrentTextColor() const
{
    if (m_bSelected && m_dwSelectedTextColor && IsEnabled())
        return m_dwSelectedTextColor;
    return CButtonUI::CurrentTextColor();
}

DWORD COptionUI::CurrentBkColor() const
{
    if (m_bSelected && m_dwSelectedBkColor && IsEnabled())
        return m_dwSelectedBkColor;
    return CButtonUI::CurrentBkColor();
}

void COptionUI::PaintStatusImage(HDC hDC)
{
    if (m_bSelected && IsEnabled()) {
        if ((m_uButtonState & UISTATE_HOT) && !m_sSelectedHotImage.empty() && DrawImage(hDC, m_sSelectedHotImage))
            return;
        if (!m_sSelectedImage.empty() && DrawImage(hDC, m_sSelectedImage))
            return;
    }
    CButtonUI::PaintStatusImage(hDC);
}

void COptionUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "group") SetGroup(CDuiString(value));
    else if (name == "selected") Selected(ParseBool(value), false);
    else if (name == "selectedimage") SetSelectedImage(CDuiString(value));
    else if (name == "selectedhotimage") SetSelectedHotImage(CDuiString(value));
    else if (name == "selectedbkcolor") SetSelectedBkColor(ParseColor(value));
    else if (name == "selectedtextcolor") SetSelectedTextColor(ParseColor(value));
    else if (name == "bindtabindex") BindTabLayout(m_sBindTabName, ParseInt(value, -1));
    else if (name == "bindtablayoutname") BindTabLayout(CDuiString(value), m_iBindTabIndex);
    else CButtonUI::SetAttribute(name, value);
}
