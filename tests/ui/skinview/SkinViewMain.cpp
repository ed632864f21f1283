// skinview: shows a shipped skin in a real window (or renders it to a PNG) so the look can be
// checked by eye. Not shipped and not a test. The program's own controls are stood in for by
// plain toolkit controls; key and light spots light up in demo colours.
//
//   skinview [--skin DIR] [--file XML] [--state empty|error|mouse|keyboard|pad|headset]
//            [--panel F,K] [--dpi 96|144] [--hover NAME] [--mark KEY] [--png OUT.png]
//            [--language LANGUAGE.xml] [--texts KEYS.tsv --lang en|cn|tw]
//
// Without --file the main window is built ("XML_MAIN") and, for a device state, filled the way
// the program fills it: tiles in "device_select_layout", power tiles in "device_power_switch",
// the device pages in "device_switch". Texts come from a language file (--language) or a
// tab-separated key table (--texts: key, English, Simplified Chinese, Traditional Chinese).

#include "toolkit/ButtonUI.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/HorizontalLayoutUI.h"
#include "toolkit/LabelUI.h"
#include "toolkit/OptionUI.h"
#include "toolkit/ProgressUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/TabLayoutUI.h"
#include "toolkit/UIParse.h"
#include "toolkit/VerticalLayoutUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/qt/QtHost.h"

#include <QImage>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

std::string g_markedSpot; // the spot that shows its key-set mark (--mark NAME)

// A key or light spot: its status images like a button, then its light in a demo colour.
class ViewKeyButton : public CButtonUI {
public:
    explicit ViewKeyButton(DWORD colour) : m_colour(colour) {}
    const char* GetClass() const override { return "DeviceKeyButton"; }
    void SetAttribute(std::string_view name, std::string_view value) override
    {
        if (EqualsNoCase(name, "lightimage")) m_light = value;
        else if (EqualsNoCase(name, "keysetimage")) m_keySet = value;
        else CButtonUI::SetAttribute(name, value);
    }
    void PaintStatusImage(HDC hDC) override
    {
        CButtonUI::PaintStatusImage(hDC);
        if (!m_light.empty() && m_colour)
            CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, m_light, "", m_colour, 255, true);
        if (!m_keySet.empty() && GetName() == g_markedSpot)
            DrawImage(hDC, m_keySet);
    }

private:
    DWORD m_colour;
    CDuiString m_light;
    CDuiString m_keySet;
};

DWORD Rainbow(int index)
{
    static const DWORD colours[] = {0xFF2EC5FF, 0xFF4F8CFF, 0xFFB36BFF, 0xFFFF5CC8, 0xFFFF5C6C, 0xFFFFB547, 0xFF3DDC84};
    return colours[index % 7];
}

CControlUI* StandIn(const char* tag)
{
    static int lights = 0;
    std::string name = ToLowerAscii(tag);
    if (name == "devicekeybutton")
        return new ViewKeyButton(Rainbow(lights++));
    if (name == "selectpanel")
        return new CVerticalLayoutUI;
    if (name == "deviceoption" || name == "mpdevicepower" || name.rfind("orlith", 0) == 0)
        return new CHorizontalLayoutUI;
    return new CContainerUI; // a panel a later part of the program fills
}

class TextTable : public IQueryControlText {
public:
    bool Load(const std::string& path, int column)
    {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::vector<std::string> cells = SplitText(line, '\t');
            if (cells.size() > size_t(column))
                m_texts[cells[0]] = cells[size_t(column)];
        }
        return !m_texts.empty();
    }
    CDuiString QueryControlText(const CDuiString& id, const CDuiString&) override
    {
        auto it = m_texts.find(id);
        return it == m_texts.end() ? CDuiString() : CDuiString(it->second);
    }

private:
    std::map<std::string, std::string> m_texts;
};

class ViewWindow : public WindowImplBase {
public:
    explicit ViewWindow(std::string skin) : m_skin(std::move(skin)) {}
    CDuiString GetSkinFile() override { return m_skin; }
    CControlUI* CreateControl(const char* tag) override { return StandIn(tag); }
    CControlUI* Find(const char* name) { return m_pm.FindControl(name); }
    CControlUI* Build(const std::string& file)
    {
        CDialogBuilder builder;
        CControlUI* root = builder.Create(file, nullptr, this, &m_pm);
        if (!root)
            std::fprintf(stderr, "skinview: %s: %s\n", file.c_str(), builder.GetLastErrorMessage().c_str());
        return root;
    }

protected:
    const char* GetWindowClassName() const override { return "SkinView"; }

private:
    std::string m_skin;
};

struct Family {
    const char* state;
    const char* ico;
    const char* nameKey;
    const char* page;
};

const Family kFamilies[] = {
    {"mouse", "ms", "family_mouse", "XML/DeviceXml/mousedevice.xml"},
    {"keyboard", "kb", "family_keyboard", "XML/DeviceXml/keyboarddevice.xml"},
    {"pad", "hard_mp", "family_mousepad", "XML/DeviceXml/mousepaddevice.xml"},
    {"headset", "hd", "family_headset", "XML/DeviceXml/hs6533device.xml"},
};

template <typename T>
T* As(CControlUI* control, const char* iface)
{
    return control ? static_cast<T*>(control->GetInterface(iface)) : nullptr;
}

// Fills the main window as the program does with every family present and one selected.
void FillDevices(ViewWindow& window, const std::string& selected)
{
    auto* tiles = As<CContainerUI>(window.Find("device_select_layout"), "Container");
    auto* pages = As<CTabLayoutUI>(window.Find("device_switch"), "TabLayout");
    auto* powers = As<CTabLayoutUI>(window.Find("device_power_switch"), "TabLayout");
    if (!tiles || !pages || !powers)
        return;
    for (const Family& family : kFamilies) {
        CControlUI* tile = window.Build("XML/CustomControlXML/DeviceOption.xml");
        CControlUI* page = window.Build(family.page);
        CControlUI* power = window.Build("XML/CustomControlXML/MpDevicePower.xml");
        if (!tile || !page || !power)
            continue;
        tiles->Add(tile);
        pages->Add(page);
        powers->Add(power);
        bool isSelected = selected == family.state;
        auto* option = As<COptionUI>(window.GetPaintManager().FindSubControlByName(tile, "device_select"), "Option");
        CControlUI* name = window.GetPaintManager().FindSubControlByName(tile, "device_select_name");
        if (!option || !name)
            continue;
        std::string ico = std::string("common/device_ico/") + family.ico;
        option->SetNormalImage(ico + "_device_normal.svg");
        option->SetSelectedImage(ico + "_device_selected.svg");
        option->SetGroup("tab_header_device");
        if (isSelected) {
            option->Selected(true, false);
            pages->SelectItem(page);
            powers->SelectItem(power);
        }
        name->SetText(std::string("%[") + family.nameKey + "]");
    }
    CPaintManagerUI& pm = window.GetPaintManager();
    if (CControlUI* level = pm.FindControl("device_power_value"))
        level->SetText("78%");
    if (auto* bar = As<CProgressUI>(pm.FindControl("device_Power_progress"), "Progress"))
        bar->SetValue(22);
    if (CControlUI* wireless = pm.FindControl("device_wuxian_logo"))
        wireless->SetVisible(true);
    if (CControlUI* empty = window.Find("No_device_Link"))
        empty->SetVisible(false);
}

void ShowPanel(ViewWindow& window, int f, int k)
{
    CPaintManagerUI& pm = window.GetPaintManager();
    auto* pages = As<CTabLayoutUI>(window.Find("device_switch"), "TabLayout");
    CControlUI* page = pages ? pages->GetItemAt(pages->GetCurSel()) : pm.GetRoot();
    if (auto* tab = As<CTabLayoutUI>(pm.FindSubControlByName(page, "device_function_switch"), "TabLayout"))
        tab->SelectItem(f);
    if (auto* tab = As<CTabLayoutUI>(pm.FindSubControlByName(page, "device_key_function_switch"), "TabLayout"))
        tab->SelectItem(k);
}

} // namespace

int main(int argc, char** argv)
{
    std::string skinDir = QV742_SKIN_DIR, file, state = "empty", png, lang = "en", hover;
    std::string texts, language;
    int dpi = 96, panelF = -1, panelK = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string key = argv[i], value = argv[i + 1];
        if (key == "--skin") skinDir = value;
        else if (key == "--file") file = value;
        else if (key == "--state") state = value;
        else if (key == "--png") png = value;
        else if (key == "--dpi") dpi = std::atoi(value.c_str());
        else if (key == "--lang") lang = value;
        else if (key == "--texts") texts = value;
        else if (key == "--language") language = value;
        else if (key == "--hover") hover = value;
        else if (key == "--mark") g_markedSpot = value;
        else if (key == "--panel") std::sscanf(value.c_str(), "%d,%d", &panelF, &panelK);
    }
    CQtHost host(argc, argv);
    CPaintManagerUI::SetResourcePath(skinDir);
    if (!CResourceManager::GetInstance().LoadResource("res.xml"))
        std::fprintf(stderr, "skinview: no res.xml in %s\n", skinDir.c_str());
    if (!language.empty() && !CResourceManager::GetInstance().LoadLanguage(language))
        std::fprintf(stderr, "skinview: cannot read %s\n", language.c_str());
    TextTable table;
    if (!texts.empty() && table.Load(texts, lang == "cn" ? 2 : lang == "tw" ? 3 : 1))
        CResourceManager::GetInstance().SetTextQueryInterface(&table);

    bool wholeWindow = file.empty();
    ViewWindow window(wholeWindow ? "XML_MAIN" : file);
    window.Create(nullptr, "skinview", WS_POPUP | WS_VISIBLE, 0, 0, 0, 1000, 640);
    if (wholeWindow) {
        CControlUI* error = window.Find("Error_device_Link");
        if (state == "error" && error)
            error->SetVisible(true);
        else if (state != "empty")
            FillDevices(window, state);
    }
    if (panelF >= 0)
        ShowPanel(window, panelF, panelK);
    window.GetPaintManager().SetDPI(dpi);
    window.GetPaintManager().UpdateLayout();
    if (!hover.empty())
        if (CControlUI* control = window.Find(hover.c_str())) {
            RECT rc = control->GetPos();
            window.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
        }
    if (!png.empty()) {
        QImage image = CQtHost::RenderToImage(window);
        bool saved = image.save(QString::fromStdString(png));
        window.DestroyWindow();
        return saved ? 0 : 1;
    }
    window.CenterWindow();
    window.ShowWindow();
    return CPaintManagerUI::MessageLoop();
}
