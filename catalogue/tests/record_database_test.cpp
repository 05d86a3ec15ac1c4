#include "catalogue/record_database.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "runtime/fatal.h"

using namespace RecordDatabase;
using namespace Catalogue;

namespace {

std::string Encode(const std::vector<CatalogueRecord>& records) {
    return EncodeCatalogue(records).value();
}

// Three records; the third lacks fields 5 and 6.
const std::vector<CatalogueRecord>& ThreeGames() {
    static const std::vector<CatalogueRecord> records = {
        {{TextField("英雄联盟"), TextField("竞技"), Int32Field(4800), Int16Field(2048),
          ByteField(255), ByteField(8)}},
        {{TextField("Dota 2"), TextField("竞技"), Int64Field(4400), Float32Field(4096.5f),
          Float64Field(-1.25), TextField("15")}},
        {{TextField("扫雷"), TextField("益智"), ByteField(1), ByteField(2)}},
    };
    return records;
}

// The expected message as a regular expression matching its bytes exactly.
std::string Literally(const std::string& text) {
    std::string pattern;
    for (char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

class RecordDatabaseTest : public testing::Test {
  protected:
    void SetUp() override {
        CloseDatabase();
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
    void TearDown() override { CloseDatabase(); }
    void OpenThreeGames() { ASSERT_TRUE(OpenDatabaseFromBytes(Encode(ThreeGames()))); }
};

}  // namespace

TEST_F(RecordDatabaseTest, WithoutADatabaseThereIsNothingToRead) {
    EXPECT_FALSE(HasCurrentDatabase());
    EXPECT_EQ(GetRecordCount(), 0);
    EXPECT_EQ(GetRecordNumber(), 0);
    GoToFirstRecord();
    GoToRecord(2);
    SkipRecord();
    EXPECT_EQ(GetRecordNumber(), 0);
    EXPECT_EXIT(ReadField(1), testing::ExitedWithCode(kFatalNoCurrentDatabase),
                Literally("读取字段失败：没有当前数据库，无法读取第 1 个字段"));
}

TEST_F(RecordDatabaseTest, OpenPutsThePointerOnTheFirstRecord) {
    OpenThreeGames();
    EXPECT_TRUE(HasCurrentDatabase());
    EXPECT_EQ(GetRecordCount(), 3);
    EXPECT_EQ(GetRecordNumber(), 1);
    EXPECT_EQ(ReadField(1), TextField("英雄联盟"));
}

TEST_F(RecordDatabaseTest, GoToRecordClampsToTheRecordsThatExist) {
    OpenThreeGames();
    const struct {
        std::int32_t asked;
        std::int32_t reached;
    } cases[] = {{INT_MIN, 1}, {-1, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 3}, {INT_MAX, 3}};
    for (const auto& c : cases) {
        GoToRecord(c.asked);
        EXPECT_EQ(GetRecordNumber(), c.reached) << c.asked;
        EXPECT_EQ(ReadField(1), ThreeGames()[static_cast<std::size_t>(c.reached - 1)].fields[0])
            << c.asked;
    }
}

TEST_F(RecordDatabaseTest, SkipRecordWalksToOnePastTheLastAndStaysThere) {
    OpenThreeGames();
    GoToRecord(2);
    std::vector<std::int32_t> seen;
    for (int i = 0; i < 4; ++i) {
        SkipRecord();
        seen.push_back(GetRecordNumber());
    }
    EXPECT_EQ(seen, (std::vector<std::int32_t>{3, 4, 4, 4}));
    GoToFirstRecord();
    EXPECT_EQ(GetRecordNumber(), 1);
}

TEST_F(RecordDatabaseTest, ReadFieldGivesEachFieldAsStored) {
    OpenThreeGames();
    for (std::int32_t record = 1; record <= 3; ++record) {
        GoToRecord(record);
        const auto& expected = ThreeGames()[static_cast<std::size_t>(record - 1)].fields;
        for (std::size_t field = 0; field < expected.size(); ++field)
            EXPECT_EQ(ReadField(static_cast<int>(field + 1)), expected[field])
                << record << "/" << field + 1;
    }
}

TEST_F(RecordDatabaseTest, AFieldTheRecordLacksIsFatalAndNamesRecordAndField) {
    OpenThreeGames();
    GoToRecord(3);
    EXPECT_EXIT(ReadField(5), testing::ExitedWithCode(kFatalNoSuchField),
                Literally("读取字段失败：记录 3 没有第 5 个字段"));
    EXPECT_EXIT(ReadField(0), testing::ExitedWithCode(kFatalNoSuchField),
                Literally("读取字段失败：记录 3 没有第 0 个字段"));
    GoToRecord(1);
    EXPECT_EXIT(ReadField(7), testing::ExitedWithCode(kFatalNoSuchField),
                Literally("读取字段失败：记录 1 没有第 7 个字段"));
    EXPECT_EXIT(ReadField(-1), testing::ExitedWithCode(kFatalNoSuchField),
                Literally("读取字段失败：记录 1 没有第 -1 个字段"));
}

TEST_F(RecordDatabaseTest, ReadingPastTheLastRecordIsFatal) {
    OpenThreeGames();
    GoToRecord(3);
    SkipRecord();
    EXPECT_EXIT(ReadField(1), testing::ExitedWithCode(kFatalNoSuchField),
                Literally("读取字段失败：记录指针已越过最后一条记录（共 3 条），没有第 1 个字段"));
}

TEST_F(RecordDatabaseTest, AnEmptyCatalogueIsOpenButHasNoRecordToRead) {
    ASSERT_TRUE(OpenDatabaseFromBytes(Encode({})));
    EXPECT_TRUE(HasCurrentDatabase());
    EXPECT_EQ(GetRecordCount(), 0);
    GoToRecord(5);
    EXPECT_EQ(GetRecordNumber(), 1);
    EXPECT_EXIT(ReadField(1), testing::ExitedWithCode(kFatalNoSuchField),
                Literally("读取字段失败：记录指针已越过最后一条记录（共 0 条），没有第 1 个字段"));
}

TEST_F(RecordDatabaseTest, OpeningAnotherFileReplacesTheCurrentDatabase) {
    OpenThreeGames();
    GoToRecord(3);
    ASSERT_TRUE(OpenDatabaseFromBytes(Encode({{{TextField("俄罗斯方块")}}})));
    EXPECT_EQ(GetRecordCount(), 1);
    EXPECT_EQ(GetRecordNumber(), 1);
    EXPECT_EQ(ReadField(1), TextField("俄罗斯方块"));
}

TEST_F(RecordDatabaseTest, AFailedOpenLeavesNoDatabase) {
    std::string truncated = Encode(ThreeGames());
    truncated.pop_back();
    const std::string cases[] = {"", "VCAT", truncated, std::string(100, 'x')};
    for (const std::string& bytes : cases) {
        OpenThreeGames();
        EXPECT_FALSE(OpenDatabaseFromBytes(bytes));
        EXPECT_FALSE(HasCurrentDatabase());
        EXPECT_EQ(GetRecordCount(), 0);
        EXPECT_EQ(GetRecordNumber(), 0);
    }
    OpenThreeGames();
    EXPECT_FALSE(
        OpenDatabase((std::filesystem::path(testing::TempDir()) / "no-such-file.dat").string()));
    EXPECT_FALSE(HasCurrentDatabase());
    EXPECT_EXIT(ReadField(1), testing::ExitedWithCode(kFatalNoCurrentDatabase), "");
}

TEST_F(RecordDatabaseTest, AnOpenedFileIsHeldInMemory) {
    const auto path =
        (std::filesystem::path(testing::TempDir()) / "record_database_test.dat").string();
    { std::ofstream(path, std::ios::binary) << Encode(ThreeGames()); }
    ASSERT_TRUE(OpenDatabase(path));
    // Replacing the file on disk does not change the open catalogue.
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << "garbage"; }
    GoToRecord(2);
    EXPECT_EQ(GetRecordCount(), 3);
    EXPECT_EQ(ReadField(1), TextField("Dota 2"));
    std::filesystem::remove(path);
}
