// The real program, started as its own process in a directory of its own and
// watched from outside: the splash, the main window after about three
// seconds, the close button; and the refusal to start without a catalogue.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "runtime/window_runtime.h"
#include "tools/driver/window_finder.h"

namespace {

constexpr char kMainTitle[] = "Vantrel游戏硬件配置检测器 V1.0";

struct Observation {
    DWORD splashSeenAt = 0;  // ms after start; 0 = never
    DWORD mainVisibleAt = 0;
    DWORD errorBoxAt = 0;
    HWND main = nullptr;
    HWND errorBox = nullptr;
    bool mainEverVisible = false;
};

class Program {
  public:
    // Copies the program into a fresh directory, with or without a catalogue.
    explicit Program(const std::string& name, bool withCatalogue) {
        const std::string here = WindowRuntime::GetRunDirectory();
        dir_ = here + "\\" + name;
        CreateDirectoryA(dir_.c_str(), nullptr);
        const std::string exe = dir_ + "\\VantrelCheck.exe";
        EXPECT_TRUE(
            CopyFileA((here + "\\..\\..\\bin\\VantrelCheck.exe").c_str(), exe.c_str(), FALSE))
            << "the program must be built beside the tests";
        const std::string catalogue = dir_ + "\\database.dat";
        DeleteFileA(catalogue.c_str());
        if (withCatalogue) {
            std::vector<Catalogue::CatalogueRecord> records = {
                {{Catalogue::TextField("英雄联盟"), Catalogue::TextField("竞技"),
                  Catalogue::Int32Field(2000), Catalogue::Int32Field(2048),
                  Catalogue::Int32Field(256), Catalogue::Int32Field(8)}}};
            const std::string bytes = *Catalogue::EncodeCatalogue(records);
            HANDLE file = CreateFileA(catalogue.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            CloseHandle(file);
        }
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        EXPECT_TRUE(CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, dir_.c_str(), &startup, &process_));
        start_ = GetTickCount();
    }
    ~Program() {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    // Watches the program's windows until `done` holds or the time is up.
    template <typename Done>
    Observation Watch(Done done, DWORD limitMs) {
        Observation seen;
        while (GetTickCount() - start_ < limitMs) {
            const DWORD now = GetTickCount() - start_;
            for (const auto& w : WindowFinder::TopLevelWindows(process_.dwProcessId)) {
                if (!w.visible) continue;
                const int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
                if (w.title == kMainTitle && width == 620 && height == 455) {
                    seen.main = w.hwnd;
                    seen.mainEverVisible = true;
                    if (!seen.mainVisibleAt) seen.mainVisibleAt = now;
                } else if (width == 500 && height == 517) {
                    if (!seen.splashSeenAt) seen.splashSeenAt = now;
                } else if (w.className == "#32770" && w.title == "错误") {
                    seen.errorBox = w.hwnd;
                    if (!seen.errorBoxAt) seen.errorBoxAt = now;
                }
            }
            if (done(seen)) break;
            Sleep(50);
        }
        return seen;
    }

    DWORD Pid() const { return process_.dwProcessId; }

    // The exit code once the process has ended, or -1 if it is still running.
    int ExitCode(DWORD waitMs) {
        if (WaitForSingleObject(process_.hProcess, waitMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return static_cast<int>(code);
    }

  private:
    std::string dir_;
    PROCESS_INFORMATION process_{};
    DWORD start_ = 0;
};

bool IsSplash(const WindowFinder::TopLevel& w) {
    return w.visible && w.rect.right - w.rect.left == 500 && w.rect.bottom - w.rect.top == 517;
}

TEST(EndToEnd, SplashThenMainWindowThenCloseButtonEndsWithCodeZero) {
    Program program("with-catalogue", true);
    Observation seen = program.Watch([](const Observation& o) { return o.main != nullptr; }, 20000);
    ASSERT_NE(seen.main, nullptr) << "the main window never became visible";
    EXPECT_NE(seen.splashSeenAt, 0u) << "no splash was seen";
    EXPECT_LT(seen.splashSeenAt, seen.mainVisibleAt);
    // The splash checks for the catalogue three seconds after it appears.
    EXPECT_GE(seen.mainVisibleAt - seen.splashSeenAt, 2500u);
    EXPECT_EQ(seen.errorBox, nullptr);

    // Half a second on, the splash is gone and the main window stays.
    Sleep(500);
    for (const auto& w : WindowFinder::TopLevelWindows(program.Pid()))
        EXPECT_FALSE(IsSplash(w)) << "the splash is still shown";
    EXPECT_TRUE(IsWindowVisible(seen.main));

    HWND close = WindowFinder::ChildAt(seen.main, 576, 0);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(WindowFinder::ClassOf(close), "Button");
    WindowFinder::PressButton(close);
    EXPECT_EQ(program.ExitCode(10000), 0);
}

TEST(EndToEnd, WithoutCatalogueTheMessageShowsAndTheProgramEndsWithoutMainWindow) {
    Program program("without-catalogue", false);
    Observation seen =
        program.Watch([](const Observation& o) { return o.errorBox != nullptr; }, 20000);
    ASSERT_NE(seen.errorBox, nullptr) << "no message box captioned 错误 appeared";
    EXPECT_NE(seen.splashSeenAt, 0u) << "no splash was seen";
    EXPECT_GE(seen.errorBoxAt - seen.splashSeenAt, 2500u);

    bool messageFound = false;
    HWND ok = nullptr;
    for (HWND child : WindowFinder::Children(seen.errorBox)) {
        const std::string cls = WindowFinder::ClassOf(child);
        if (cls == "Static" && WindowFinder::TextOf(child) == "未找到游戏数据库！")
            messageFound = true;
        if (cls == "Button") ok = child;
    }
    EXPECT_TRUE(messageFound);
    ASSERT_NE(ok, nullptr);
    WindowFinder::PressButton(ok);
    // Watched until it has ended: the main window never shows.
    Observation after =
        program.Watch([&program](const Observation&) { return program.ExitCode(0) != -1; }, 30000);
    EXPECT_EQ(program.ExitCode(0), 0);
    EXPECT_FALSE(seen.mainEverVisible || after.mainEverVisible);
}

}  // namespace
