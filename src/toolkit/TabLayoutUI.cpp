#include "toolkit/TabLayoutUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/UIParse.h"

const char* CTabLayoutUI::GetClass() const
{
    return "TabLayoutUI";
}

void* CTabLayoutUI::GetInterface(std::string_view name)
{
    return name == "TabLayout" ? this : CContainerUI::GetInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control)
{
    return AddAt(control, GetCount());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index)
{
    if (!CContainerUI::AddAt(control, index))
        return false;
    if (m_iPendingSel >= 0 && m_iPendingSel == GetItemIndex(control)) {
        m_iCurSel = m_iPendingSel;
        m_iPendingSel = -1;
    } else if (m_iCurSel < 0) {
        m_iCurSel = GetItemIndex(control);
    } else if (index <= m_iCurSel) {
        ++m_iCurSel;
    }
    ShowOnly(m_iCurSel);
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy)
{
    int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control, doNotDestroy))
        return false;
    if (index == m_iCurSel)
        m_iCurSel = GetCount() > 0 ? 0 : -1;
    else if (index < m_iCurSel)
        --m_iCurSel;
    ShowOnly(m_iCurSel);
    return true;
}

void CTabLayoutUI::RemoveAll()
{
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int index)
{
    if (index >= GetCount() && index >= 0)
        m_iPendingSel = index;
    if (index < 0 || index >= GetCount())
        return false;
    if (index == m_iCurSel)
        return true;
    m_iCurSel = index;
    ShowOnly(index);
    NeedUpdate();
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control)
{
    return SelectItem(GetItemIndex(control));
}

void CTabLayoutUI::ShowOnly(int index)
{
    for (int i = 0; i < GetCount(); ++i)
        GetItemAt(i)->SetVisible(i == index);
}

void CTabLayoutUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "selectedid")
        SelectItem(ParseInt(value));
    else
        CContainerUI::SetAttribute(name, value);
}
