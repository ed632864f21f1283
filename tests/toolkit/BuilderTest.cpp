#include "ToolkitFixture.h"

#include "toolkit/ButtonUI.h"
#include "toolkit/ControlFactory.h"
#include "toolkit/DialogBuilder.h"
#include "toolkit/LabelUI.h"
#include "toolkit/VerticalLayoutUI.h"

namespace {

class ProgramControlUI : public CControlUI {
public:
    const char* GetClass() const override { return "ProgramControl"; }
};

class CallbackControlUI : public CLabelUI {
public:
    const char* GetClass() const override { return "CallbackControl"; }
};

using BuilderTest = ToolkitTest;

TEST_F(BuilderTest, BuildsThroughResIdsIncludesCallbackAndRegisteredClasses)
{
    CControlFactory::GetInstance()->RegistControl("CProgramControlUI", [] { return new ProgramControlUI; });
    WriteSkin("res.xml", R"(<Res>
        <File id="XML_MAIN" path="XML\main.xml"/>
        <Default name="Button" value="textcolor=&quot;#FF112233&quot; height=&quot;30&quot;"/>
    </Res>)");
    WriteSkin("XML/main.xml", R"(<Window size="300,200">
        <VerticalLayout name="root">
          <Button name="ok" text="OK"/>
          <Include source="XML\Part\part.xml"/>
          <Mystery name="mystery"/>
          <Unknown name="unknown"/>
        </VerticalLayout>
    </Window>)");
    WriteSkin("XML/Part/part.xml", R"(<HorizontalLayout name="part"><ProgramControl name="inner"/></HorizontalLayout>)");
    ASSERT_TRUE(CResourceManager::GetInstance().LoadResource("res.xml"));

    RecordingWindow window("XML_MAIN");
    std::vector<std::string> asked;
    window.onCreateControl = [&](const char* tag) -> CControlUI* {
        asked.push_back(tag);
        return std::string(tag) == "Mystery" ? new CallbackControlUI : nullptr;
    };
    window.Create(nullptr, "main", WS_POPUP, 0, 0, 0, 10, 10);
    host.RunPending();

    auto* ok = window.FindAs<CButtonUI>("ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetTextColor(), 0xFF112233u) << "default attributes of res.xml apply by class";
    EXPECT_EQ(ok->GetFixedHeight(), 30);
    ASSERT_NE(window.Find("inner"), nullptr) << "a subtree of an included file, registered class by tag";
    EXPECT_STREQ(window.Find("inner")->GetClass(), "ProgramControl");
    EXPECT_EQ(window.GetPaintManager().FindSubControlByName(window.Find("part"), "inner"), window.Find("inner"));
    EXPECT_EQ(window.GetPaintManager().FindSubControlByName(window.Find("part"), "ok"), nullptr);
    ASSERT_NE(window.Find("mystery"), nullptr);
    EXPECT_STREQ(window.Find("mystery")->GetClass(), "CallbackControl");
    EXPECT_EQ(window.Find("unknown"), nullptr) << "a tag nobody knows is skipped";
    EXPECT_EQ(asked, (std::vector<std::string>{"ProgramControl", "Mystery", "Unknown"}));
    RECT rc = window.GetClientRect();
    EXPECT_EQ(rc.right, 300) << "the skin's window size";
    EXPECT_EQ(rc.bottom, 200);
    window.DestroyWindow();
}

TEST_F(BuilderTest, SubtreeIsAddedToTheGivenParentAndAMissingFileGivesNull)
{
    WriteSkin("sub.xml", R"(<Label name="a"/>)");
    CPaintManagerUI manager;
    CVerticalLayoutUI parent;
    CDialogBuilder builder;
    CControlUI* built = builder.Create("sub.xml", nullptr, nullptr, &manager, &parent);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(parent.GetItemAt(0), built);
    EXPECT_EQ(parent.GetCount(), 1);
    CDialogBuilder second;
    EXPECT_EQ(second.Create("missing.xml", nullptr, nullptr, &manager), nullptr);
    EXPECT_FALSE(second.GetLastErrorMessage().empty());
    CDialogBuilder third;
    EXPECT_EQ(third.Create("<Label", nullptr, nullptr, &manager), nullptr) << "malformed XML";
}

} // namespace
