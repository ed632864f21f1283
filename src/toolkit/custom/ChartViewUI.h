#pragma once

#include "toolkit/ControlUI.h"

#include <string>
#include <vector>

// A pie or histogram chart of named values, with an optional shadow picture under the
// histogram's pillars. A histogram may paint all pillars in one colour ("pillarcolor") and
// mark one of them ("selectedcolor", SetSelectedItem).
class CChartViewUI : public CControlUI {
public:
    enum View { kPie = 0, kHistogram = 1 };

    const char* GetClass() const override { return "ChartViewUI"; }
    void* GetInterface(std::string_view name) override;

    int GetView() const { return m_nView; }
    const CDuiString& GetShadowImage() const { return m_sShadowImage; }
    bool IsShowText() const { return m_bShowText; }
    void AddItem(const std::string& name, double value);
    void RemoveAllItems();
    int GetItemCount() const { return int(m_items.size()); }
    // The item painted in the selected colour; -1 for none.
    void SetSelectedItem(int index);
    int GetSelectedItem() const { return m_nSelected; }

    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl = nullptr) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    void PaintItems(HDC hDC);
    DWORD ItemColour(size_t index) const;

    int m_nView = kPie;
    CDuiString m_sShadowImage;
    int m_nShadowHeight = 0;
    CDuiString m_sPillarImage;
    int m_nPillarWidth = 0;
    bool m_bShowHtml = false;
    bool m_bShowText = true;
    int m_nFont = -1;
    DWORD m_dwPillarColor = 0;
    DWORD m_dwSelectedColor = 0;
    int m_nSelected = -1;
    std::vector<std::pair<std::string, double>> m_items;
};
