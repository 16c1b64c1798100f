// How the program starts and ends: exit codes, the quit message that is not
// an ending, and the platform check.
#include <gtest/gtest.h>

#include "user_input.h"
#include "velmora_session.h"

namespace {

using Lifecycle = VelmoraSession;

TEST_F(Lifecycle, PostedQuitMessageDoesNotEndTheProgram) {
    ASSERT_TRUE(PostThreadMessageW(app.Process.dwThreadId, WM_QUIT, 0, 0));
    // Posted after the quit message, so handled after it.
    WindowPostCommand(main, ID_STD_BESSEL, BN_CLICKED);
    ASSERT_TRUE(WaitUntil([&] { return Text(ID_AF1) == "1.915949"; }));
    EXPECT_TRUE(WindowExists(main));
    EXPECT_TRUE(AppRunning(app));
    // Still answering: a calculation after the quit message works.
    WindowPostCommand(main, ID_CALC, BN_CLICKED);
    EXPECT_TRUE(WaitUntil([&] { return Text(ID_PROTO_R1) == "34043.9"; }));
}

// Rows: how the window is asked to close. Each ends the program with 0.
enum class Ending { PostedSysClose, AltF4, CloseBoxClick, ExitClick, PostedExit };

class Endings : public VelmoraSession, public testing::WithParamInterface<Ending> {};

POINT CloseBoxOnScreen(HWND window) {
    // Found by asking the window itself which part of its frame is where.
    RECT frame = {};
    GetWindowRect(window, &frame);
    for (int x = frame.right - 1; x > frame.left; --x)
        for (int y = frame.top; y < frame.top + 40; ++y) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                kSendTimeoutMs, &hit);
            if (hit == HTCLOSE) return {x - 3, y + 3};
        }
    return {-1, -1};
}

TEST_P(Endings, EndTheProgramWithExitCodeZero) {
    switch (GetParam()) {
        case Ending::PostedSysClose:
            PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Ending::AltF4:
            ASSERT_TRUE(InputBringToFront(main));
            InputChord(VK_MENU, VK_F4);
            break;
        case Ending::CloseBoxClick: {
            ASSERT_TRUE(InputBringToFront(main));
            const POINT box = CloseBoxOnScreen(main);
            ASSERT_GE(box.x, 0) << "no close box found on the frame";
            InputClickAt(box);
            break;
        }
        case Ending::ExitClick:
            ASSERT_TRUE(InputBringToFront(main));
            InputClick(Control(ID_EXIT));
            break;
        case Ending::PostedExit:
            WindowPostCommand(main, ID_EXIT, BN_CLICKED);
            break;
    }
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Lifecycle, Endings,
                         testing::Values(Ending::PostedSysClose, Ending::AltF4,
                                         Ending::CloseBoxClick, Ending::ExitClick,
                                         Ending::PostedExit));

// Wine reports a Windows 98 platform to a program named in its AppDefaults
// registry key; a copy under a name of its own gets the setting, so nothing
// else in the prefix is affected.
class Win98Copy {
public:
    Win98Copy() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + kName;
        copied_ = CopyFileW(Options().VelmoraExe.c_str(), path_.c_str(), FALSE) != FALSE;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr) == ERROR_SUCCESS) {
            const wchar_t version[] = L"win98";
            set_ =
                RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                               sizeof version) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
    }
    ~Win98Copy() {
        RegDeleteKeyW(HKEY_CURRENT_USER, KeyPath().c_str());
        DeleteFileW(path_.c_str());
    }
    bool Ready() const { return copied_ && set_; }
    const std::wstring& Path() const { return path_; }

private:
    static constexpr const wchar_t* kName = L"velmora-platform-check.exe";
    static std::wstring KeyPath() { return std::wstring(L"Software\\Wine\\AppDefaults\\") + kName; }
    std::wstring path_;
    bool copied_ = false;
    bool set_ = false;
};

TEST(LifecyclePlatformCheck, Windows98GetsOneMessageAndExitCode255) {
    if (!RunningUnderWine()) GTEST_SKIP() << "needs Wine's per-program platform version";
    Win98Copy copy;
    ASSERT_TRUE(copy.Ready());
    App app;
    ASSERT_TRUE(AppLaunch(app, copy.Path()));
    HWND box = nullptr;
    EXPECT_TRUE(
        WaitUntil([&] { return (box = AppFindWindow(app, "Error", "#32770")) != nullptr; }));
    if (box) {
        EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), "Win98 No Support");
        EXPECT_EQ(WindowOwner(box), nullptr);
        // Nothing else runs: no main window, before or after the message.
        EXPECT_EQ(AppFindWindow(app, kMainCaption), nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(255));
    AppEnd(app);
}

}  // namespace
