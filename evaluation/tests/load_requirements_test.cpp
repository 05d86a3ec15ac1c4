#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "catalogue/record_database.h"
#include "evaluation/evaluate.h"
#include "evaluation/requirements.h"
#include "evaluation/tests/exit_report.h"
#include "runtime/fatal.h"

namespace {

using namespace Catalogue;

class LoadRequirementsTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::vector<CatalogueRecord> records = {
            {{TextField("星际争霸"), TextField("即时战略"), ByteField(200), Int16Field(-2),
              Int32Field(2048), Int64Field(0x100000005LL)}},
            {{TextField("Quake"), TextField("射击"), Float32Field(2.75f), Float64Field(-2.75),
              Float64Field(4096.9), Float32Field(-0.5f)}},
            {{TextField("扫雷"), TextField("益智"), Int64Field(-1), ByteField(0), Int16Field(32767),
              Int32Field(INT_MIN)}},
            {{TextField("坏记录"), TextField("益智"), Int32Field(1), TextField("2048"),
              Int32Field(1), Int32Field(1)}},
            {{TextField("缺字段"), TextField("益智"), Int32Field(1), Int32Field(1), Int32Field(1)}},
        };
        ASSERT_TRUE(RecordDatabase::OpenDatabaseFromBytes(EncodeCatalogue(records).value()));
        gGameRequirements = GameRequirements{};
    }
    void TearDown() override { RecordDatabase::CloseDatabase(); }
};

TEST_F(LoadRequirementsTest, ConvertsEachStoredTypeOfTheCurrentRecord) {
    struct Case {
        std::int32_t record;
        GameRequirements expected;  // cpu, memory, video, disk
    } cases[] = {
        {1, {200, -2, 2048, 5}},
        {2, {2, -2, 4096, 0}},
        {3, {-1, 0, 32767, INT_MIN}},
    };
    for (const Case& c : cases) {
        RecordDatabase::GoToRecord(c.record);
        LoadRequirements();
        EXPECT_EQ(gGameRequirements.cpuMhz, c.expected.cpuMhz) << "record " << c.record;
        EXPECT_EQ(gGameRequirements.memoryMb, c.expected.memoryMb) << "record " << c.record;
        EXPECT_EQ(gGameRequirements.videoMemoryMb, c.expected.videoMemoryMb)
            << "record " << c.record;
        EXPECT_EQ(gGameRequirements.diskGb, c.expected.diskGb) << "record " << c.record;
    }
}

TEST_F(LoadRequirementsTest, TextWhereANumberBelongsEndsTheProgram) {
    RecordDatabase::GoToRecord(4);
    EXPECT_EXIT(LoadRequirements(), testing::ExitedWithCode(kFatalNumberExpected),
                ContainsBytes("未得到所需要的数值型数据（记录 4，字段 4）"));
}

TEST_F(LoadRequirementsTest, AMissingFieldEndsTheProgramThroughTheRecordDatabase) {
    RecordDatabase::GoToRecord(5);
    EXPECT_EXIT(LoadRequirements(), testing::ExitedWithCode(kFatalNoSuchField),
                ContainsBytes("记录 5 没有第 6 个字段"));
}

}  // namespace
