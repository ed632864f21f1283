#pragma once

#include "toolkit/ListContainerElementUI.h"

class CEditUI;

// A list row whose content is built from "XML\CustomControlXML\ComboEditElementItem.xml": two
// texts and a delay edit. Enter activates it and sends "return"; a release sends "itemclick".
class CComboEditContainerElementUI : public CListContainerElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(std::string_view name) override;
    void DoInit() override;
    CControlUI* GetText1() const { return m_pText1; }
    CControlUI* GetText2() const { return m_pText2; }
    CControlUI* GetDelayEdit() const { return m_pDelayEdit; }

    void PaintStatusImage(HDC hDC) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    CControlUI* m_pText1 = nullptr;
    CControlUI* m_pText2 = nullptr;
    CControlUI* m_pDelayEdit = nullptr;
};
