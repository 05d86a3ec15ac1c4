#pragma once
#include "runtime/form.h"

extern const WindowRuntime::FormDescription MainWindow;

// Controls of MainWindow by role.
enum MainWindowRole : int {
    kDriveBox,
    kVersionLabel,
    kHomePageLink,
    kNoticeLabel,
    kCloseButton,
    kMinimizeButton,
    kGameList,
    kSearchBox,
    kSearchButton,
    kVerdictLabel,
    kDiskResultLabel,
    kVideoResultLabel,
    kMemoryResultLabel,
    kCpuResultLabel,
    kCpuInfoLabel,
    kMemoryInfoLabel,
    kVideoInfoLabel,
    kDiskInfoLabel,
    kSoundInfoLabel,
    kOsInfoLabel,
    kStep3Button,
    kStep2Button,
    kStep1Button,
    kVerdictPicture,
};

constexpr WindowRuntime::Control DriveBox{&MainWindow, kDriveBox};
constexpr WindowRuntime::Control VersionLabel{&MainWindow, kVersionLabel};
constexpr WindowRuntime::Control HomePageLink{&MainWindow, kHomePageLink};
constexpr WindowRuntime::Control NoticeLabel{&MainWindow, kNoticeLabel};
constexpr WindowRuntime::Control CloseButton{&MainWindow, kCloseButton};
constexpr WindowRuntime::Control MinimizeButton{&MainWindow, kMinimizeButton};
constexpr WindowRuntime::Control GameList{&MainWindow, kGameList};
constexpr WindowRuntime::Control SearchBox{&MainWindow, kSearchBox};
constexpr WindowRuntime::Control SearchButton{&MainWindow, kSearchButton};
constexpr WindowRuntime::Control VerdictLabel{&MainWindow, kVerdictLabel};
constexpr WindowRuntime::Control DiskResultLabel{&MainWindow, kDiskResultLabel};
constexpr WindowRuntime::Control VideoResultLabel{&MainWindow, kVideoResultLabel};
constexpr WindowRuntime::Control MemoryResultLabel{&MainWindow, kMemoryResultLabel};
constexpr WindowRuntime::Control CpuResultLabel{&MainWindow, kCpuResultLabel};
constexpr WindowRuntime::Control CpuInfoLabel{&MainWindow, kCpuInfoLabel};
constexpr WindowRuntime::Control MemoryInfoLabel{&MainWindow, kMemoryInfoLabel};
constexpr WindowRuntime::Control VideoInfoLabel{&MainWindow, kVideoInfoLabel};
constexpr WindowRuntime::Control DiskInfoLabel{&MainWindow, kDiskInfoLabel};
constexpr WindowRuntime::Control SoundInfoLabel{&MainWindow, kSoundInfoLabel};
constexpr WindowRuntime::Control OsInfoLabel{&MainWindow, kOsInfoLabel};
constexpr WindowRuntime::Control Step3Button{&MainWindow, kStep3Button};
constexpr WindowRuntime::Control Step2Button{&MainWindow, kStep2Button};
constexpr WindowRuntime::Control Step1Button{&MainWindow, kStep1Button};
constexpr WindowRuntime::Control VerdictPicture{&MainWindow, kVerdictPicture};

// Routines of the main window.
void OnMainWindowCreated();
void ShowStep1();
void ShowStep2();
void ShowStep3();
