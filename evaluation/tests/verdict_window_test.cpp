#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/tests/app_fixture.h"
#include "assets/images.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/record_database.h"
#include "evaluation/evaluate.h"
#include "evaluation/requirements.h"
#include "evaluation/tests/exit_report.h"
#include "runtime/fatal.h"
#include "runtime/window_runtime.h"

namespace {

using namespace Catalogue;
using WindowRuntime::Control;

constexpr std::uint32_t kGreen = 65280, kRed = 255, kOrange = 33023;

// Requirements: cpu, memory, video, disk.
std::string ThreeGames() {
    const std::vector<CatalogueRecord> records = {
        {{TextField("Warcraft III"), TextField("即时战略"), Int32Field(2000), Int32Field(1024),
          Int32Field(256), Int32Field(10)}},
        {{TextField("扫雷"), TextField("益智"), Int32Field(0), Int32Field(0), Int32Field(0),
          Int32Field(0)}},
        {{TextField(""), TextField("无名"), Int32Field(0), Int32Field(0), Int32Field(0),
          Int32Field(0)}},
    };
    return EncodeCatalogue(records).value();
}

HardwareProfile Detected(int cpu, int memory, int video, int disk) {
    HardwareProfile p;
    p.cpuMhz = cpu;
    p.memoryMb = memory;
    p.videoMemoryMb = video;
    p.diskFreeGb = disk;
    return p;
}

std::string IconName(const ImageBytes* icon) {
    if (icon == &CannotRunIcon) return "CannotRunIcon";
    if (icon == &MayNotRunSmoothlyIcon) return "MayNotRunSmoothlyIcon";
    if (icon == &RunsSmoothlyIcon) return "RunsSmoothlyIcon";
    return icon ? "another image" : "no image";
}

class VerdictWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        AppTest::PlaceCatalogue(ThreeGames());
        AppTest::StartProgramQuickly();
    }
    static void TearDownTestSuite() { AppTest::StopProgram(); }
};

struct Line {
    Control label;
    const char* passed;
    const char* failed;
};
const Line kLines[] = {
    {CpuResultLabel, "CPU检测通过！", "CPU检测未通过！"},
    {MemoryResultLabel, "内存检测通过！", "内存检测未通过！"},
    {VideoResultLabel, "显卡检测通过！", "显卡检测未通过！"},
    {DiskResultLabel, "磁盘空间检测通过！", "磁盘空间检测未通过！"},
};

TEST_F(VerdictWindowTest, WritesEachLineTheIconAndTheSentence) {
    struct Case {
        const char* what;
        std::int32_t record;
        HardwareProfile detected;
        bool passed[4];  // cpu, memory, video, disk as on the page
        const char* sentence;
        std::uint32_t color;
        const ImageBytes* icon;
    } cases[] = {
        {"equal values pass",
         1,
         Detected(2000, 1024, 256, 10),
         {true, true, true, true},
         "恭喜您，您的配置可以流畅运行Warcraft III！",
         kGreen,
         &RunsSmoothlyIcon},
        {"before any detection",
         1,
         Detected(0, 0, 0, 0),
         {false, false, false, false},
         "对不起，您的配置无法运行Warcraft III！",
         kRed,
         &CannotRunIcon},
        {"zero requirements before any detection",
         2,
         Detected(0, 0, 0, 0),
         {true, true, true, true},
         "恭喜您，您的配置可以流畅运行扫雷！",
         kGreen,
         &RunsSmoothlyIcon},
        {"disk short",
         1,
         Detected(2000, 1024, 256, 9),
         {true, true, true, false},
         "对不起，您的配置无法运行Warcraft III！",
         kRed,
         &CannotRunIcon},
        {"video and cpu short",
         1,
         Detected(1999, 1024, 255, 10),
         {false, true, false, true},
         "对不起，您的配置无法运行Warcraft III！",
         kRed,
         &CannotRunIcon},
        {"cpu short",
         1,
         Detected(1999, 4096, 512, 100),
         {false, true, true, true},
         "对不起，您的配置可能无法流畅运行Warcraft III！",
         kOrange,
         &MayNotRunSmoothlyIcon},
        {"memory short",
         1,
         Detected(2000, 1023, 256, 10),
         {true, false, true, true},
         "对不起，您的配置可能无法流畅运行Warcraft III！",
         kOrange,
         &MayNotRunSmoothlyIcon},
        {"negative video memory",
         2,
         Detected(INT_MAX, 0, -1, 0),
         {true, true, false, true},
         "对不起，您的配置无法运行扫雷！",
         kRed,
         &CannotRunIcon},
        {"empty name",
         3,
         Detected(1, 1, 1, 1),
         {true, true, true, true},
         "恭喜您，您的配置可以流畅运行！",
         kGreen,
         &RunsSmoothlyIcon},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gHardwareProfile = c.detected;
        RecordDatabase::GoToRecord(c.record);
        LoadRequirements();
        EvaluateRequirements();
        for (int i = 0; i < 4; ++i) {
            const Line& line = kLines[i];
            EXPECT_EQ(WindowRuntime::GetControlText(line.label),
                      c.passed[i] ? line.passed : line.failed);
            EXPECT_EQ(WindowRuntime::GetLabelTextColor(line.label), c.passed[i] ? kGreen : kRed)
                << line.passed;
        }
        EXPECT_EQ(WindowRuntime::GetControlText(VerdictLabel), c.sentence);
        EXPECT_EQ(WindowRuntime::GetLabelTextColor(VerdictLabel), c.color);
        EXPECT_EQ(IconName(WindowRuntime::GetPictureImage(VerdictPicture)), IconName(c.icon));
    }
}

// The game list refuses such a record when it is filled, so the catalogue is
// swapped under the evaluation here.
TEST(VerdictWindowDeathTest, ANameThatIsNotTextEndsTheProgram) {
    const std::vector<CatalogueRecord> records = {
        {{TextField("Doom"), TextField("射击"), Int32Field(1), Int32Field(1), Int32Field(1),
          Int32Field(1)}},
        {{Int32Field(7), TextField("射击"), Int32Field(1), Int32Field(1), Int32Field(1),
          Int32Field(1)}},
    };
    EXPECT_EXIT(
        {
            RecordDatabase::OpenDatabaseFromBytes(EncodeCatalogue(records).value());
            RecordDatabase::GoToRecord(2);
            LoadRequirements();
            EvaluateRequirements();
        },
        testing::ExitedWithCode(kFatalTypeMismatch),
        ContainsBytes("数据或数组类型不匹配（记录 2，字段 1）"));
}

}  // namespace
