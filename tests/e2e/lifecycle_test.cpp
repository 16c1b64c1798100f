// How the program ends: every way of closing the window ends the process
// with 0, and a Windows 98 platform gets one message and 255.
#include "velmora_session.h"

namespace {

// Found by asking the window which part of its frame is where.
POINT CloseBoxOnScreen(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    for (int x = frame.right - 1; x > frame.left; --x)
        for (int y = frame.top; y < frame.top + 40; ++y)
            if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return {x - 3, y + 3};
    return {-1, -1};
}

// Rows: how the user (or the system) asks the window to close.
enum class Ending { PostedSysClose, AltF4, CloseBoxClick, ExitClick, EnterOnExit };

class Endings : public VelmoraSession, public testing::WithParamInterface<Ending> {};

TEST_P(Endings, EndTheProgramWithExitCodeZero) {
    switch (GetParam()) {
        case Ending::PostedSysClose:
            PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Ending::AltF4:
            ASSERT_TRUE(InputAltF4(app, main)) << "the window never took Alt+F4";
            break;
        case Ending::CloseBoxClick: {
            const POINT box = CloseBoxOnScreen(main);
            ASSERT_GE(box.x, 0) << "no close box on the frame";
            InputClickAt(box);
            break;
        }
        case Ending::ExitClick:
            InputClick(Control(ID_EXIT));
            break;
        case Ending::EnterOnExit:
            ASSERT_NO_FATAL_FAILURE(FocusByClick(ID_PROTO_K));
            ASSERT_NO_FATAL_FAILURE(FocusByTab(ID_EXIT));
            InputKey(VK_RETURN);
            break;
    }
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Lifecycle, Endings,
                         testing::Values(Ending::PostedSysClose, Ending::AltF4,
                                         Ending::CloseBoxClick, Ending::ExitClick,
                                         Ending::EnterOnExit));

// Wine reports a Windows 98 platform to a program named in its AppDefaults
// registry key; a copy under a name of its own gets the setting, so nothing
// else in the prefix is affected.
class Win98Copy {
public:
    Win98Copy() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + kName;
        const wchar_t version[] = L"win98";
        ready_ = CopyFileW(kVelmoraExe.c_str(), path_.c_str(), FALSE) &&
                 RegSetKeyValueW(HKEY_CURRENT_USER, Key().c_str(), L"Version", REG_SZ, version,
                                 sizeof version) == ERROR_SUCCESS;
    }
    ~Win98Copy() {
        RegDeleteKeyW(HKEY_CURRENT_USER, Key().c_str());
        DeleteFileW(path_.c_str());
    }
    bool Ready() const { return ready_; }
    const std::wstring& Path() const { return path_; }

private:
    static constexpr const wchar_t* kName = L"velmora-platform-check.exe";
    static std::wstring Key() { return std::wstring(L"Software\\Wine\\AppDefaults\\") + kName; }
    std::wstring path_;
    bool ready_ = false;
};

TEST(LifecyclePlatformCheck, Windows98GetsOneMessageAndExitCode255) {
    Win98Copy copy;
    ASSERT_TRUE(copy.Ready());
    App app;
    ASSERT_TRUE(AppLaunch(app, copy.Path()));
    std::vector<HWND> boxes;
    EXPECT_TRUE(WaitUntil([&] { return !(boxes = AppWindows(app, "Error")).empty(); }));
    for (HWND box : boxes) {
        EXPECT_EQ(ControlText(box, 0xFFFF), "Win98 No Support");
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        // Nothing else runs: no main window, before or after the message.
        EXPECT_TRUE(AppWindows(app, kMainCaption).empty());
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    EXPECT_EQ(AppWaitExit(app), std::optional<DWORD>(0xFF));
    AppEnd(app);
}

}  // namespace
