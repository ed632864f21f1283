// The toolkit gallery: every control of the toolkit in one real window, for looking at the
// theme and trying input by hand. Not shipped. Options: --dpi N (96, 144 ...).

#include "toolkit/ComboUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/ColorPaletteUI.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/ProgressUI.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/SliderUI.h"
#include "toolkit/TrayIcon.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/custom/AudioRecordUI.h"
#include "toolkit/custom/CircleProgressUI.h"
#include "toolkit/custom/DeviceKeyButtonUI.h"
#include "toolkit/custom/HandImgSelectButtonUI.h"
#include "toolkit/custom/SelectPanelUI.h"
#include "toolkit/qt/QtHost.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

class GalleryWindow : public WindowImplBase {
public:
    CDuiString GetSkinFile() override { return "XML_GALLERY"; }

    void InitWindow() override
    {
        SetIcon(107);
        m_tray.CreateTrayIcon(GetHWND(), 107, "QV742 Toolkit Gallery");
        if (auto* combo = static_cast<CComboUI*>(m_pm.FindControl("rate_combo")))
            combo->SelectItem1(0, false, false);
        int32_t samples[CAudioRecordUI::kSampleCount];
        for (int i = 0; i < CAudioRecordUI::kSampleCount; ++i)
            samples[i] = int32_t(std::abs(std::sin(i * 0.21) * std::cos(i * 0.037)) * 7000);
        if (auto* record = static_cast<CAudioRecordUI*>(m_pm.FindControl("record")))
            record->SetSamples(samples, CAudioRecordUI::kSampleCount);
        LightKeys(0xFF4655);
        m_pm.SetTimer(m_pm.FindControl("battery"), 1, 80);
    }

    void Notify(TNotifyUI& msg) override
    {
        CDuiString name = msg.pSender ? msg.pSender->GetName() : CDuiString();
        if (msg.sType == "click")
            OnClick(name);
        else if (msg.sType == "valuechanged" || msg.sType == "movevaluechanged")
            OnSlider(static_cast<CSliderUI*>(msg.pSender));
        else if (msg.sType == "colorchanged")
            OnColour(static_cast<CColorPaletteUI*>(msg.pSender)->GetSelectColor());
        else if (msg.sType == "itemselect")
            SetStatus("Selected: " + msg.pSender->GetText());
        else if (msg.sType == "click_select_end")
            OnSelection();
        else if (msg.sType == "dbclick") {
            auto* key = static_cast<CDeviceKeyButtonUI*>(msg.pSender);
            key->SetKeySetMarkHidden(!key->IsKeySetMarkHidden());
        } else if (msg.sType == "timer" && name == "battery")
            OnBatteryTick(static_cast<CCircleProgressUI*>(msg.pSender));
        else if (msg.sType == "textchanged")
            SetStatus("Typed: " + msg.pSender->GetText());
    }

    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override
    {
        if (uMsg == WM_MENUCLICK) {
            auto* cmd = reinterpret_cast<MenuCmd*>(wParam);
            if (CControlUI* result = m_pm.FindControl("menu_result"))
                result->SetText("Command: " + cmd->szName);
            if (cmd->szName == "exit")
                PostQuitMessage(0);
            bHandled = TRUE;
        } else if (uMsg == UIMSG_TRAYICON && lParam == WM_RBUTTONUP) {
            POINT pt = CursorPosition();
            CMenuWnd::CreateMenu(nullptr, "menu.xml", pt, &m_pm, nullptr, eMenuAlignment_Left | eMenuAlignment_Bottom);
            bHandled = TRUE;
        }
        return 0;
    }

protected:
    const char* GetWindowClassName() const override { return "GalleryWnd"; }

private:
    void SetStatus(const std::string& text)
    {
        if (CControlUI* status = m_pm.FindControl("status"))
            status->SetText(text);
        m_pm.NeedUpdate();
    }

    void OnClick(const CDuiString& name)
    {
        if (name == "closebtn") {
            PostQuitMessage(0);
        } else if (name == "minbtn") {
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
        } else if (name == "btn_primary") {
            auto* progress = static_cast<CProgressUI*>(m_pm.FindControl("progress"));
            progress->SetValue(progress->GetValue() >= 100 ? 0 : progress->GetValue() + 10);
            SetStatus("Applied");
        } else if (name == "btn_reset") {
            static_cast<CProgressUI*>(m_pm.FindControl("progress"))->SetValue(0);
            SetStatus("Reset");
        } else if (name == "menu_btn") {
            RECT button = m_pm.FindControl("menu_btn")->GetPos();
            RECT window = GetWindowRect();
            CMenuWnd::CreateMenu(nullptr, "menu.xml", POINT{window.left + button.left, window.top + button.bottom + 4}, &m_pm);
        } else if (!name.empty()) {
            SetStatus("Clicked: " + name);
        }
    }

    void OnSlider(CSliderUI* slider)
    {
        if (CControlUI* label = m_pm.FindControl("dpi_value")) {
            CDuiString text;
            text.Format("%d DPI", 100 + slider->GetValue() * 50);
            label->SetText(text);
        }
    }

    void OnColour(DWORD argb)
    {
        m_pm.FindControl("swatch")->SetBkColor(argb);
        CDuiString text;
        text.Format("#%06X", argb & 0xFFFFFF);
        m_pm.FindControl("swatch_text")->SetText(text);
        m_colour = argb & 0xFFFFFF;
    }

    void LightKeys(DWORD colour)
    {
        for (int i = 0; i < 8; ++i)
            if (auto* key = static_cast<CDeviceKeyButtonUI*>(m_pm.FindControl(CDuiString("key_" + std::to_string(i)))))
                key->SetKeyLight(colour, 60 + 25 * i, true);
        m_pm.Invalidate();
    }

    void OnSelection()
    {
        int count = 0;
        for (int i = 0; i < 8; ++i) {
            auto* key = static_cast<CDeviceKeyButtonUI*>(m_pm.FindControl(CDuiString("key_" + std::to_string(i))));
            if (key && key->IsKeySelected()) {
                key->SetKeyLight(m_colour, 255, true);
                ++count;
            }
        }
        m_pm.Invalidate();
        SetStatus("Keys selected: " + std::to_string(count));
    }

    void OnBatteryTick(CCircleProgressUI* ring)
    {
        // A slow breathing value so the ring visibly moves.
        m_phase += 0.02;
        int value = 50 + int(std::lround(std::sin(m_phase) * 40));
        ring->SetValue(value);
        ring->SetText(std::to_string(value) + "%");
    }

    CTrayIcon m_tray;
    DWORD m_colour = 0xFF4655;
    double m_phase = 0;
};

} // namespace

int main(int argc, char** argv)
{
    int dpi = 96;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--dpi") == 0)
            dpi = std::atoi(argv[i + 1]);
    CQtHost host(argc, argv);
    CPaintManagerUI::SetResourcePath(QV742_GALLERY_SKIN);
    CResourceManager::GetInstance().LoadResource("res.xml");
    CResourceManager::GetInstance().LoadLanguage("lang_en.xml");
    CControlFactory* factory = CControlFactory::GetInstance();
    factory->RegistControl("CCircleProgressUI", [] { return new CCircleProgressUI; });
    factory->RegistControl("CSelectPanelUI", [] { return new CSelectPanelUI; });
    factory->RegistControl("CDeviceKeyButtonUI", [] { return new CDeviceKeyButtonUI; });
    factory->RegistControl("CHandImgSelectButtonUI", [] { return new CHandImgSelectButtonUI; });
    factory->RegistControl("CAudioRecordUI", [] { return new CAudioRecordUI; });

    GalleryWindow window;
    window.Create(nullptr, "QV742 Toolkit Gallery", WS_POPUP, 0, 0, 0, 1000, 640);
    CPaintManagerUI::SetAllDPI(dpi);
    if (CControlUI* label = window.GetPaintManager().FindControl("dpi_label"))
        label->SetText("DPI " + std::to_string(dpi));
    window.CenterWindow();
    window.ShowWindow(true);
    int code = CPaintManagerUI::MessageLoop();
    window.DestroyWindow();
    return code;
}
