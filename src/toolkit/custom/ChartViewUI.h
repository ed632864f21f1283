#pragma once

#include "toolkit/ControlUI.h"

#include <string>
#include <vector>

// A pie or histogram chart of named values, with an optional shadow picture under the
// histogram's pillars.
class CChartViewUI : public CControlUI {
public:
    enum View { kPie = 0, kHistogram = 1 };

    int GetView() const { return m_nView; }
    const CDuiString& GetShadowImage() const { return m_sShadowImage; }
    bool IsShowText() const { return m_bShowText; }
    void AddItem(const std::string& name, double value);
    void RemoveAllItems();
    int GetItemCount() const { return int(m_items.size()); }

    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* stopControl = nullptr) override;
    void SetAttribute(std::string_view name, std::string_view value) override;

private:
    void PaintItems(HDC hDC);

    int m_nView = kPie;
    CDuiString m_sShadowImage;
    int m_nShadowHeight = 0;
    CDuiString m_sPillarImage;
    int m_nPillarWidth = 0;
    bool m_bShowHtml = false;
    bool m_bShowText = true;
    int m_nFont = -1;
    std::vector<std::pair<std::string, double>> m_items;
};
