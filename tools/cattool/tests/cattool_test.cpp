#include "tools/cattool/cattool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue_file.h"
#include "tools/cattool/catalogue_csv.h"
#include "tools/cattool/text_encoding.h"

using namespace Catalogue;
namespace fs = std::filesystem;

namespace {

// Narrow literals are compiled to GBK; CSV text and the tool's messages are
// UTF-8, written as u8 literals.
std::string U8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

constexpr const char* kHeader = "name,type,cpuMhz,memoryMb,videoMemoryMb,diskGb\n";

class CattoolTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("cattool_test_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    int Run(std::vector<std::string> args) {
        out_.clear();
        err_.clear();
        return RunCattool(args, out_, err_);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path dir_;
    std::string out_, err_;
};

}  // namespace

TEST(TextEncoding, ConvertsBetweenUtf8AndGbk) {
    const std::string utf8 = U8(u8"使命召唤：现代战争 II");
    const std::string gbk = "使命召唤：现代战争 II";  // the compiler's GBK
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
    EXPECT_EQ(Utf8ToGbk(""), "");
    EXPECT_FALSE(GbkToUtf8("\x81"));  // a lead byte without its trail byte
}

TEST(TextEncoding, NamesTheCharacterGbkCannotStore) {
    const struct {
        std::u8string utf8;
        std::u8string error;
    } cases[] = {
        {u8"吉𠮷家", u8"'𠮷' (U+20BB7) cannot be stored as GBK text"},
        {u8"Game 😀", u8"'😀' (U+1F600) cannot be stored"},
        {u8"한국어", u8"'한' (U+D55C) cannot be stored"},
        {u8"5€", u8"'€' (U+20AC) cannot be stored"},  // GBK's one-byte 0x80
        {u8"ab\xFF", u8"not valid UTF-8 at byte 3"},
    };
    for (const auto& c : cases) {
        std::string gbk, error;
        const std::string utf8(c.utf8.begin(), c.utf8.end());
        EXPECT_FALSE(ToCatalogueText(utf8, gbk, error)) << utf8;
        EXPECT_NE(error.find(std::string(c.error.begin(), c.error.end())), std::string::npos)
            << error;
    }
}

TEST(NumberCells, ChooseTheStoredType) {
    const struct {
        const char* cell;
        FieldValue expected;
    } cases[] = {
        {"0", ByteField(0)},
        {"255", ByteField(255)},
        {"256", Int16Field(256)},
        {"-1", Int16Field(-1)},
        {"-32768", Int16Field(-32768)},
        {"32768", Int32Field(32768)},
        {"2147483648", Int64Field(2147483648LL)},
        {"-9223372036854775808", Int64Field(INT64_MIN)},
        {"200:u8", ByteField(200)},
        {"7:i16", Int16Field(7)},
        {"7:i32", Int32Field(7)},
        {"512:i64", Int64Field(512)},
        {"1.5", Float64Field(1.5)},
        {"2e3", Float64Field(2000.0)},
        {"1.5:f32", Float32Field(1.5f)},
        {"0.1:f32", Float32Field(0.1f)},
        {"512:f32", Float32Field(512.0f)},
        {"512:f64", Float64Field(512.0)},
        {"abc:str", TextField("abc")},
        {":str", TextField("")},
        {"1.5:str", TextField("1.5")},
        {"a:b:str", TextField("a:b")},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto value = CatalogueCsv::ParseNumberCell(c.cell, error);
        ASSERT_TRUE(value) << c.cell << ": " << error;
        EXPECT_EQ(*value, c.expected) << c.cell;
        EXPECT_EQ(value->type, c.expected.type) << c.cell;
    }
}

TEST(NumberCells, RefuseWhatIsNotANumberOfItsType) {
    const struct {
        const char* cell;
        const char* error;
    } cases[] = {
        {"", "the cell is empty"},
        {"12x", "'12x' is not a number (text in a number column is written as 'text:str')"},
        {" 12", "is not a number"},
        {"+12", "is not a number"},
        {"0x10", "is not a number"},
        {"12:i8", "'12:i8' is not a number"},
        {"nan", "is not a number"},
        {"inf:f64", "is not a number"},
        {"1e999", "is not a number"},
        {"256:u8", "'256' does not fit :u8 (0 to 255)"},
        {"-1:u8", "does not fit :u8"},
        {"40000:i16", "does not fit :i16"},
        {"3000000000:i32", "does not fit :i32"},
        {"9223372036854775808", "too large for a 64-bit integer"},
        {"1.5:i32", "'1.5' is not an integer, as :i32 needs"},
        {"1e39:f32", "too large for :f32"},
        {"a\tb:str", "control character"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(CatalogueCsv::ParseNumberCell(c.cell, error)) << c.cell;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.cell << ": " << error;
    }
}

TEST(NumberCells, FormatReadsBackAsTheSameValueAndType) {
    const FieldValue values[] = {
        ByteField(0),       ByteField(255),       Int16Field(5),           Int16Field(-300),
        Int32Field(100),    Int32Field(-70000),   Int64Field(4),           Int64Field(INT64_MAX),
        Float32Field(0.1f), Float32Field(3.0f),   Float32Field(-1e30f),    Float64Field(0.1),
        Float64Field(2.0),  Float64Field(-1e300), Float64Field(1.0 / 3.0),
    };
    for (const FieldValue& value : values) {
        const std::string cell = CatalogueCsv::FormatNumberCell(value);
        std::string error;
        const auto back = CatalogueCsv::ParseNumberCell(cell, error);
        ASSERT_TRUE(back) << cell << ": " << error;
        EXPECT_EQ(*back, value) << cell;
    }
}

TEST(Csv, ParsesQuotedCellsAndBothLineEnds) {
    std::vector<CatalogueCsv::CsvRow> rows;
    std::string error;
    ASSERT_TRUE(
        CatalogueCsv::ParseCsv("\xEF\xBB\xBF"
                               "a,\"b,c\"\r\n\r\n\"say \"\"hi\"\"\",\"x\ny\",\n",
                               rows, error))
        << error;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, 1u);
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"a", "b,c"}));
    EXPECT_EQ(rows[1].line, 3u);
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"say \"hi\"", "x\ny", ""}));
}

TEST_F(CattoolTest, PackThenDumpGivesBackTheCsv) {
    const std::string csv =
        kHeader + U8(u8"英雄联盟,竞技,4800,2048,512,8\n"
                     u8"使命召唤：现代战争 II,射击,14400,12288,4096:i64,175\n"
                     u8"\"Tom Clancy's \"\"Quoted\"\", Game\",动作,1.5,0.1:f32,2:f64,1e+20\n"
                     u8"Kinds,测试,200:i32,7:i16,-1,text:str\n"
                     u8"Empty,,:str,300,70000,5000000000\n");
    const std::string input = Write("games.csv", csv);
    ASSERT_EQ(Run({"pack", input, Path("database.dat")}), 0) << err_;
    EXPECT_EQ(err_, "");
    ASSERT_EQ(Run({"dump", Path("database.dat")}), 0) << err_;
    EXPECT_EQ(out_, csv);

    // The types chosen in the CSV are the types stored in the file.
    const auto file = ReadCatalogueFile(Path("database.dat"));
    ASSERT_TRUE(file);
    ASSERT_EQ(file->RecordCount(), 5);
    EXPECT_EQ(file->Record(1).fields,
              (std::vector<FieldValue>{TextField("使命召唤：现代战争 II"), TextField("射击"),
                                       Int16Field(14400), Int16Field(12288), Int64Field(4096),
                                       ByteField(175)}));
    EXPECT_EQ(file->Field(3, 5), TextField("text"));
    EXPECT_EQ(file->Field(4, 2), TextField(""));
}

TEST_F(CattoolTest, AFailedPackReportsTheLineAndColumnAndKeepsTheOldOutput) {
    const struct {
        std::string csv;
        std::string error;
    } cases[] = {
        {"", "line 1: the header line is missing"},
        {"name,type,cpu,memoryMb,videoMemoryMb,diskGb\n",
         "line 1, column 3: expected the column 'cpuMhz', found 'cpu'"},
        {"name,type,cpuMhz,memoryMb,videoMemoryMb\n",
         "line 1, column 6: the header lacks the column 'diskGb'"},
        {"name,type,cpuMhz,memoryMb,videoMemoryMb,diskGb,price\n",
         "line 1, column 7: unknown column 'price'"},
        {kHeader + std::string("a,b,1,2,3\n"), "line 2, column 6 (diskGb): missing"},
        {kHeader + std::string("a,b,1,2,3,4,5\n"),
         "line 2, column 7: more cells than the 6 columns"},
        {kHeader + std::string("a,b,1,2,3,4\n\nc,d,1,2x,3,4\n"),
         "line 4, column 4 (memoryMb): '2x' is not a number"},
        {kHeader + std::string("a,b,1,2,300:u8,4\n"),
         "line 2, column 5 (videoMemoryMb): '300' does not fit :u8"},
        {kHeader + std::string("a,b,,2,3,4\n"), "line 2, column 3 (cpuMhz): the cell is empty"},
        {kHeader + std::string("\"a,b,1,2,3,4\n"),
         "line 2, column 1: the quoted cell is never closed"},
        {kHeader + std::string("a,b\"c,1,2,3,4\n"),
         "line 2, column 2: a quote inside an unquoted cell"},
        {kHeader + std::string("\"a\"x,b,1,2,3,4\n"),
         "line 2, column 1: text after the closing quote"},
        {kHeader + std::string("\"a\nb\",c,1,2,3,4\n"),
         "line 2, column 1 (name): holds a control character"},
        {kHeader + U8(u8"ok,b,1,2,3,4\n吉𠮷家,b,1,2,3,4\n"),
         U8(u8"line 3, column 1 (name): '𠮷' (U+20BB7) cannot be stored as GBK text")},
        {kHeader + U8(u8"a,类型😀,1,2,3,4\n"),
         U8(u8"line 2, column 2 (type): '😀' (U+1F600) cannot be stored")},
        {kHeader + std::string("a,b,1,2,3,\xC3(:str\n"),
         "line 2, column 6 (diskGb): not valid UTF-8 at byte 1"},
        {kHeader + std::string("a,") + std::string(70000, 'x') + ",1,2,3,4\n",
         "record 1, field 2: text of 70000 bytes"},
    };
    const std::string previous = "previous contents";
    for (const auto& c : cases) {
        const std::string output = Write("database.dat", previous);
        EXPECT_EQ(Run({"pack", Write("bad.csv", c.csv), output}), 1) << c.error;
        EXPECT_NE(err_.find(c.error), std::string::npos)
            << "expected: " << c.error << "\ngot: " << err_;
        EXPECT_EQ(Read(output), previous) << c.error;
        EXPECT_EQ(Files().size(), 2u) << "a temporary file was left behind: " << c.error;
    }
}

TEST_F(CattoolTest, PackReportsFilesItCannotReadOrWrite) {
    EXPECT_EQ(Run({"pack", Path("missing.csv"), Path("out.dat")}), 1);
    EXPECT_NE(err_.find("cannot open"), std::string::npos) << err_;
    const std::string input = Write("games.csv", kHeader + std::string("a,b,1,2,3,4\n"));
    EXPECT_EQ(Run({"pack", input, Path("no-such-dir/out.dat")}), 1);
    EXPECT_NE(err_.find("cannot create"), std::string::npos) << err_;
    EXPECT_EQ(Files(), std::vector<std::string>{"games.csv"});
    // The rename over a directory fails after the temporary file is written.
    fs::create_directory(Path("taken"));
    EXPECT_EQ(Run({"pack", input, Path("taken")}), 1);
    EXPECT_NE(err_.find("cannot replace"), std::string::npos) << err_;
    EXPECT_TRUE(fs::is_directory(Path("taken")));
    EXPECT_EQ(Files().size(), 2u) << "the temporary file was left behind";
}

TEST_F(CattoolTest, DumpRefusesWhatACsvLineCannotHold) {
    const struct {
        std::vector<CatalogueRecord> records;
        const char* error;
    } cases[] = {
        {{{{TextField("a"), TextField("b"), ByteField(1), ByteField(2)}}},
         "record 1: 4 fields; a CSV line holds 6"},
        {{{{TextField("a"), TextField("b"), ByteField(1), ByteField(2), ByteField(3),
            ByteField(4)}},
          {{ByteField(9), TextField("b"), ByteField(1), ByteField(2), ByteField(3), ByteField(4)}}},
         "record 2, field 1: a number where the CSV needs text"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run({"dump", Write("x.dat", EncodeCatalogue(c.records).value())}), 1);
        EXPECT_NE(err_.find(c.error), std::string::npos) << err_;
    }
    EXPECT_EQ(Run({"dump", Write("x.dat", "VCAT")}), 1);
    EXPECT_NE(err_.find("header, offset 0: the file is shorter"), std::string::npos) << err_;
}

TEST_F(CattoolTest, CheckSaysWhatKeepsAFileFromServingTheProgram) {
    const auto game = [](FieldValue name, FieldValue cpu) {
        return CatalogueRecord{
            {name, TextField("b"), cpu, ByteField(2), ByteField(3), ByteField(4)}};
    };
    std::string badCount =
        EncodeCatalogue(std::vector<CatalogueRecord>{game(TextField("a"), ByteField(1))}).value();
    badCount[8] = static_cast<char>(200);
    const struct {
        std::string bytes;
        int code;
        const char* message;
    } cases[] = {
        {EncodeCatalogue(std::vector<CatalogueRecord>{game(TextField("a"), ByteField(1))}).value(),
         0, "ok, 1 records"},
        {badCount, 1, "cannot be opened: header, offset 8: record count 200 cannot fit"},
        {EncodeCatalogue(
             std::vector<CatalogueRecord>{game(TextField("a"), ByteField(1)), {{TextField("b")}}})
             .value(),
         1, "record 2: 1 fields; the program reads six"},
        {EncodeCatalogue(std::vector<CatalogueRecord>{game(Int32Field(5), ByteField(1))}).value(),
         1, "record 1, field 1 (name): a 32-bit integer where text is needed"},
        {EncodeCatalogue(std::vector<CatalogueRecord>{game(TextField("a"), TextField("fast"))})
             .value(),
         1, "record 1, field 3 (cpuMhz): text where a number is needed"},
        {EncodeCatalogue(std::vector<CatalogueRecord>{game(TextField("a"), Int64Field(1LL << 32))})
             .value(),
         1, "record 1, field 3 (cpuMhz): does not fit the 32-bit integer"},
        {EncodeCatalogue(std::vector<CatalogueRecord>{game(TextField("a"), Float64Field(3e9))})
             .value(),
         1, "does not fit the 32-bit integer"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run({"check", Write("x.dat", c.bytes)}), c.code) << c.message;
        EXPECT_NE((out_ + err_).find(c.message), std::string::npos)
            << "expected: " << c.message << "\ngot: " << out_ + err_;
    }
}

TEST_F(CattoolTest, WrongUsageShowsHowToCallIt) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"pack", "a.csv"}, {"dump"}, {"unpack", "a.dat"}, {"check", "a", "b"}}) {
        EXPECT_EQ(Run(args), 2);
        EXPECT_NE(err_.find("usage: cattool"), std::string::npos);
    }
}
