// The real program as a process: how it ends when asked to by a signal, and how a start
// without a usable display ends.

#include "platform/MessageBus.h"
#include "profile/JsonFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Deadlines only keep a broken run from hanging the suite; they are far above what a run needs.
constexpr auto kStartDeadline = std::chrono::seconds(60);
constexpr auto kEndDeadline = std::chrono::seconds(30);

// qv742-core started with the test's environment changed by `changes` (an empty value removes
// the variable), its output in files of `folder`.
class ProgramRun {
public:
    ProgramRun(const std::string& folder, const std::map<std::string, std::string>& changes)
        : m_output(folder + "/output.txt")
    {
        std::map<std::string, std::string> variables;
        for (char** entry = environ; *entry; ++entry) {
            std::string text = *entry;
            size_t equals = text.find('=');
            if (equals != std::string::npos)
                variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
        for (const auto& [name, value] : changes) {
            if (value.empty())
                variables.erase(name);
            else
                variables[name] = value;
        }
        std::vector<std::string> texts;
        for (const auto& [name, value] : variables)
            texts.push_back(name + "=" + value);
        std::vector<char*> envp;
        for (std::string& text : texts)
            envp.push_back(text.data());
        envp.push_back(nullptr);

        std::string program = std::string(QV742_TEST_BINARY_DIR) + "/qv742-core";
        char* argv[] = {program.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, m_output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }

    ~ProgramRun()
    {
        if (m_pid > 0 && !m_status) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    pid_t Pid() const { return m_pid; }
    bool Running() { return m_pid > 0 && !Poll(); }

    // The wait status once the process ended, nullopt when it still runs at the deadline.
    std::optional<int> WaitForEnd(Clock::duration deadline = kEndDeadline)
    {
        for (auto until = Clock::now() + deadline; Clock::now() < until;) {
            if (Poll())
                return m_status;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Poll() ? m_status : std::nullopt;
    }

    std::string Output() const { return testsupport::ReadFileBytes(m_output); }

private:
    bool Poll()
    {
        if (m_status)
            return true;
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
            m_status = status;
        return m_status.has_value();
    }

    std::string m_output;
    pid_t m_pid = -1;
    std::optional<int> m_status;
};

// Waits until ready() answers true or the program ended; false at the deadline.
template <typename Ready>
bool WaitUntil(ProgramRun& run, Ready ready, Clock::duration deadline = kStartDeadline)
{
    for (auto until = Clock::now() + deadline; Clock::now() < until && run.Running();) {
        if (ready())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return ready();
}

// The mouse's current profile file, from its profile list; empty while there is none.
std::string CurrentMouseProfile(const std::string& userFolder)
{
    JsonFile json;
    Json::Value list = json.ReadJsonDocument(userFolder + "/mouse/ProfileList.ini");
    if (!list.isObject() || !list["profilelist"].isArray() || list["profilelist"].empty() ||
        !list["profileselect"].isInt())
        return {};
    int select = std::clamp(list["profileselect"].asInt(), 0, int(list["profilelist"].size()) - 1);
    const Json::Value& entry = list["profilelist"][select];
    if (!entry.isObject() || !entry["profileUUID"].isString())
        return {};
    std::string path = userFolder + "/mouse/" + entry["profileUUID"].asString() + ".Json";
    return fs::exists(path) ? path : std::string();
}

TEST(ProgramProcess, SigtermRunsTheNormalShutdownEndsWithZeroAndLeavesTheProfileWhole)
{
    testsupport::TempFolder dir;
    const std::string runtime = dir / "run";
    const std::string userFolder = dir / "data/QV742-CORE";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ProgramRun run(dir.Path(), {{"XDG_RUNTIME_DIR", runtime},
                                {"XDG_DATA_HOME", dir / "data"},
                                {"XDG_CONFIG_HOME", dir / "config"},
                                {"XDG_STATE_HOME", dir / "state"},
                                {"QV742_SIM", "mouse"},
                                {"QT_QPA_PLATFORM", "offscreen"}});
    ASSERT_GT(run.Pid(), 0);
    platform::MessageBus bus(runtime + "/QV742-CORE");
    ASSERT_TRUE(WaitUntil(run, [&] {
        auto names = bus.Endpoints();
        return std::find(names.begin(), names.end(), "QV742-CORE") != names.end();
    })) << run.Output();
    std::string profile;
    ASSERT_TRUE(WaitUntil(run, [&] { return !(profile = CurrentMouseProfile(userFolder)).empty(); }))
        << run.Output();

    // A change the user makes on the page is stored before the signal comes.
    const std::string before = testsupport::ReadFileBytes(profile);
    platform::BusFrame change;
    change.message = "QV742-SIM-CONTROL";
    change.wParam = 6; // a user action played on a control
    change.hasData = true;
    ASSERT_TRUE(WaitUntil(run, [&] {
        for (int value : {10, 70}) {
            change.data = "value DPI_slider_1 " + std::to_string(value);
            bus.Send("QV742-CORE", change);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return testsupport::ReadFileBytes(profile) != before;
    })) << run.Output();

    ASSERT_EQ(::kill(run.Pid(), SIGTERM), 0);
    std::optional<int> status = run.WaitForEnd();
    ASSERT_TRUE(status) << "still running after SIGTERM";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    EXPECT_FALSE(fs::exists(runtime + "/QV742-CORE/QV742-CORE.sock")) << "the bus socket file is removed";

    JsonFile json;
    Json::Value stored = json.ReadJsonDocument(profile);
    EXPECT_TRUE(stored.isObject()) << "the profile parses";
    EXPECT_NE(testsupport::ReadFileBytes(profile), before) << "the change is on disk";
    EXPECT_EQ(CurrentMouseProfile(userFolder), profile) << "the profile is still listed";
}

TEST(ProgramProcess, AStartThatCannotReachItsDisplayEndsWithTheMessageAndZero)
{
    // No display answers on these names in the test's own runtime folder.
    const std::string noX = ":873";
    ASSERT_FALSE(fs::exists("/tmp/.X11-unix/X873"));
    const struct {
        const char* what;
        std::map<std::string, std::string> environment;
    } kCases[] = {
        {"X display that is not there", {{"DISPLAY", noX}, {"QT_QPA_PLATFORM", ""}, {"WAYLAND_DISPLAY", ""}}},
        {"xcb chosen, no X", {{"DISPLAY", noX}, {"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", ""}}},
        {"Wayland compositor that is not there",
         {{"DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}, {"WAYLAND_DISPLAY", "wayland-nothing-here"}}},
        {"wayland chosen, no compositor",
         {{"DISPLAY", ""}, {"QT_QPA_PLATFORM", "wayland"}, {"WAYLAND_DISPLAY", "wayland-nothing-here"}}},
        {"a list of platforms, none there",
         {{"DISPLAY", noX}, {"QT_QPA_PLATFORM", "wayland;xcb"}, {"WAYLAND_DISPLAY", "wayland-nothing-here"}}},
        {"a platform Qt does not have", {{"DISPLAY", ""}, {"QT_QPA_PLATFORM", "no-such-platform"}}},
    };
    for (const auto& entry : kCases) {
        SCOPED_TRACE(entry.what);
        testsupport::TempFolder dir;
        fs::create_directories(dir / "run");
        fs::permissions(dir / "run", fs::perms::owner_all);
        std::map<std::string, std::string> environment = entry.environment;
        environment["XDG_RUNTIME_DIR"] = dir / "run";
        environment["XDG_DATA_HOME"] = dir / "data";
        environment["XDG_CONFIG_HOME"] = dir / "config";
        ProgramRun run(dir.Path(), environment);
        std::optional<int> status = run.WaitForEnd();
        ASSERT_TRUE(status) << "still running";
        ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << "\n" << run.Output();
        EXPECT_EQ(WEXITSTATUS(*status), 0);
        EXPECT_NE(run.Output().find("no display"), std::string::npos) << run.Output();
    }
}

} // namespace
