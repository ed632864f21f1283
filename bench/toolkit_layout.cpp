// bench-deps: qv742_toolkit_qt
// Toolkit figures: building and laying out a skin of 2,000 controls, opening a window from it,
// and one full repaint of a 1000 x 640 window at DPI 96 and 144 through the Qt painter on an
// image (offscreen platform).

#include "toolkit/DialogBuilder.h"
#include "toolkit/PaintManagerUI.h"
#include "toolkit/WindowImplBase.h"
#include "toolkit/qt/QtHost.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// 200 rows of ten controls: a row layout and nine controls of the common kinds.
std::string BigSkin()
{
    std::string xml = R"(<Window size="1000,640"><VerticalLayout name="root" bkcolor="#FF14161B" vscrollbar="true">)";
    for (int row = 0; row < 200; ++row) {
        std::string n = std::to_string(row);
        xml += R"(<HorizontalLayout height="30" childpadding="4" bkcolor="#FF1B1E25">)";
        xml += R"(<Label name="label_)" + n + R"(" text="Row )" + n + R"(" width="80" textcolor="#FFE6E8EE"/>)";
        xml += R"(<Button name="button_)" + n + R"(" text="Apply" width="70" bkcolor="#FF2A2F39" hotbkcolor="#FF363C48" borderround="6"/>)";
        xml += R"(<Option name="option_)" + n + R"(" group="g)" + n + R"(" text="On" width="50"/>)";
        xml += R"(<CheckBox name="check_)" + n + R"(" text="Off" width="50"/>)";
        xml += R"(<Slider name="slider_)" + n + R"(" min="0" max="100" value="40" bkcolor="#FF2F3540" forecolor="#FFFF4655"/>)";
        xml += R"(<Progress name="progress_)" + n + R"(" value="60" width="80" forecolor="#FFFF4655" bkcolor="#FF2A2F39"/>)";
        xml += R"(<Edit name="edit_)" + n + R"(" text="1600" width="70" numberonly="true"/>)";
        xml += R"(<Control name="swatch_)" + n + R"(" width="30" bkcolor="#FFFF4655" borderround="4"/>)";
        xml += R"(<Text name="text_)" + n + R"(" text="Description of the row" width="120"/>)";
        xml += "</HorizontalLayout>";
    }
    return xml + "</VerticalLayout></Window>";
}

// A page the size of the main window: panels, texts, sliders, buttons and SVG pictures.
std::string PageSkin()
{
    std::string xml = R"(<Window size="1000,640"><VerticalLayout bkcolor="#FF14161B">
        <HorizontalLayout height="48" bkcolor="#FF0F1115" inset="16,0,8,0" childvalign="vcenter">
          <Control width="22" height="22" bkimage="logo.svg"/><Label text="Title" width="200"/>
        </HorizontalLayout>
        <HorizontalLayout inset="20,20,20,20" childpadding="20">)";
    for (int column = 0; column < 3; ++column) {
        xml += R"(<VerticalLayout bkcolor="#FF1B1E25" borderround="10" inset="16,16,16,16" childpadding="8">)";
        for (int row = 0; row < 12; ++row) {
            xml += R"(<HorizontalLayout height="32" childpadding="8">
                <Control width="24" height="24" bkimage="logo.svg"/>
                <Label text="Setting name" textcolor="#FFE6E8EE" width="100"/>
                <Slider min="0" max="100" value="55" bkcolor="#FF2F3540" forecolor="#FFFF4655"/>
                <Button text="Set" width="50" bkcolor="#FF2A2F39" borderround="6" textcolor="#FFE6E8EE"/>
              </HorizontalLayout>)";
        }
        xml += "</VerticalLayout>";
    }
    return xml + "</HorizontalLayout></VerticalLayout></Window>";
}

class BenchWindow : public WindowImplBase {
public:
    explicit BenchWindow(std::string skin) : m_skin(std::move(skin)) {}
    CDuiString GetSkinFile() override { return m_skin; }

protected:
    const char* GetWindowClassName() const override { return "BenchWnd"; }

private:
    std::string m_skin;
};

std::filesystem::path SkinFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() / "qv742-bench-skin";
        std::filesystem::create_directories(path);
        std::ofstream(path / "big.xml") << BigSkin();
        std::ofstream(path / "page.xml") << PageSkin();
        std::ofstream(path / "logo.svg")
            << R"(<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24"><path d="M12 2 L21 7 L21 17 L12 22 L3 17 L3 7 Z" fill="#FF4655"/></svg>)";
        CPaintManagerUI::SetResourcePath(path.string());
        return path;
    }();
    return folder;
}

void BM_BuildAndLayout2000Controls(benchmark::State& state)
{
    SkinFolder();
    CPaintManagerUI manager;
    for (auto _ : state) {
        CDialogBuilder builder;
        CControlUI* root = builder.Create("big.xml", nullptr, nullptr, &manager);
        root->SetPos(RECT{0, 0, 1000, 640}, false);
        benchmark::DoNotOptimize(root);
        delete root;
    }
}
BENCHMARK(BM_BuildAndLayout2000Controls)->Unit(benchmark::kMillisecond);

void BM_OpenWindowWith2000Controls(benchmark::State& state)
{
    SkinFolder();
    for (auto _ : state) {
        BenchWindow window("big.xml");
        window.Create(nullptr, "bench", WS_POPUP, 0, 0, 0, 1000, 640);
        QImage image = CQtHost::RenderToImage(window); // first layout and paint
        benchmark::DoNotOptimize(image.bits());
        window.DestroyWindow();
    }
}
BENCHMARK(BM_OpenWindowWith2000Controls)->Unit(benchmark::kMillisecond);

void BM_FullRepaint1000x640(benchmark::State& state)
{
    SkinFolder();
    BenchWindow window("page.xml");
    window.Create(nullptr, "bench", WS_POPUP, 0, 0, 0, 1000, 640);
    window.GetPaintManager().SetDPI(int(state.range(0)));
    CQtHost::RenderToImage(window); // lays out and warms the picture cache
    for (auto _ : state) {
        QImage image = CQtHost::RenderToImage(window);
        benchmark::DoNotOptimize(image.bits());
    }
    RECT rc = window.GetClientRect();
    state.SetLabel(std::to_string(rc.right) + "x" + std::to_string(rc.bottom) + " px");
    window.DestroyWindow();
}
BENCHMARK(BM_FullRepaint1000x640)->Arg(96)->Arg(144)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CQtHost host(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
