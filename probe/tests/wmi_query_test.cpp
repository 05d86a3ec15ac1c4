#include "probe/wmi_query.h"

#include <gtest/gtest.h>

#include "probe/testing.h"
#include "probe/tests/fake_automation.h"

namespace {

// Runs the query against a fake WMI, with every reference checked afterwards.
class WmiQueryTest : public ::testing::Test {
  protected:
    void TearDown() override {
        Probe::Testing::SetLocatorFactory(nullptr);
        Probe::Testing::SetEventProcessor(nullptr);
    }

    std::string Query(FakeWmi& wmi, const std::string& property,
                      const std::string& query = "Select * From Win32_VideoController") {
        Probe::Testing::SetLocatorFactory([&wmi] { return wmi.Locator().NewReference(); });
        Probe::Testing::SetEventProcessor([this] { ++eventPasses; });
        std::string result = QueryWmiProperty(query, property);
        EXPECT_EQ(world.Unbalanced(), std::vector<std::string>{}) << property;
        return result;
    }

    FakeWorld world;
    int eventPasses = 0;
};

// Every rule holds the same whether property sets can be walked or, as
// under Wine, only asked for one property by name.
class WmiQueryBothWaysTest : public WmiQueryTest, public ::testing::WithParamInterface<bool> {
  protected:
    FakeWmiOptions Options() {
        FakeWmiOptions options;
        options.enumerableProperties = GetParam();
        return options;
    }
};

TEST_P(WmiQueryBothWaysTest, KeepsTheValueOfTheLastObjectThatHasTheExactName) {
    struct Case {
        const char* what;
        Objects objects;
        const char* property;
        std::string expected;
    } cases[] = {
        {"two controllers: the second wins",
         {{{L"AdapterRAM", UInt32(134217728)}, {L"Description", Text(L"first card")}},
          {{L"AdapterRAM", UInt32(268435456)}, {L"Description", Text(L"second card")}}},
         "AdapterRAM",
         "268435456"},
        {"two controllers, text property",
         {{{L"Description", Text(L"first card")}}, {{L"Description", Text(L"second card")}}},
         "Description",
         "second card"},
        {"null on the last object",
         {{{L"AdapterRAM", UInt32(268435456)}}, {{L"AdapterRAM", Null()}}},
         "AdapterRAM",
         ""},
        {"no object has it", {{{L"Name", Text(L"cpu")}}}, "Caption", ""},
        {"only an earlier object has it",
         {{{L"Caption", Text(L"first")}}, {{L"Name", Text(L"second")}}},
         "Caption",
         "first"},
        {"letter case differs", {{{L"AdapterRAM", UInt32(268435456)}}}, "adapterram", ""},
        {"no objects", {}, "AdapterRAM", ""},
        {"neighbours do not overwrite",
         {{{L"Name", Text(L"cpu")}, {L"MaxClockSpeed", UInt32(2096)}, {L"Caption", Text(L"z")}}},
         "MaxClockSpeed",
         "2096"},
        {"text in the system code page",
         {{{L"Description", Text(L"标准显卡")}}},
         "Description",
         "标准显卡"},
    };
    for (Case& c : cases) {
        FakeWmi wmi(world, c.objects, Options());
        EXPECT_EQ(Query(wmi, c.property), c.expected) << c.what;
    }
}

TEST_P(WmiQueryBothWaysTest, ConvertsValuesToTextOrEmptyWhenTheyHaveNoTextForm) {
    FakeDispatch& objectValue = world.NewDispatch("object value");
    struct Case {
        const char* what;
        ValueMaker value;
        std::string expected;
    } cases[] = {
        {"negative integer", Int32(-1048576), "-1048576"},
        {"unsigned beyond the signed range", UInt32(4293918720u), "4293918720"},
        {"short", Int16(12), "12"},
        {"real", Real(2.5), "2.5"},
        {"empty", Empty(), ""},
        {"null", Null(), ""},
        {"array", IntArray({1, 2}), ""},
        {"object", Object(objectValue), ""},
    };
    for (Case& c : cases) {
        FakeWmi wmi(world, {{{L"Value", c.value}}}, Options());
        EXPECT_EQ(Query(wmi, "Value"), c.expected) << c.what;
    }
    EXPECT_TRUE(objectValue.Calls().empty()) << "an object value must not be called";
}

TEST_P(WmiQueryBothWaysTest, ConnectsToTheLocalRootCimv2AndRunsTheQueryWithOptionsOmitted) {
    FakeWmi wmi(world, {{{L"Caption", Text(L"os")}}}, Options());
    EXPECT_EQ(Query(wmi, "Caption", "Select * From Win32_OperatingSystem"), "os");
    using Arguments = std::vector<std::wstring>;
    const std::wstring missing = L"<missing>";
    ASSERT_EQ(wmi.Locator().Calls().size(), 1u);
    const FakeDispatch::Call& connect = wmi.Locator().Calls()[0];
    EXPECT_EQ(connect.member, L"ConnectServer");
    EXPECT_EQ(connect.arguments, (Arguments{L".", L"root\\CIMV2", missing, missing, missing,
                                            missing, missing, missing}));
    ASSERT_EQ(wmi.Services().Calls().size(), 1u);
    const FakeDispatch::Call& exec = wmi.Services().Calls()[0];
    EXPECT_EQ(exec.member, L"ExecQuery");
    EXPECT_EQ(exec.arguments,
              (Arguments{L"Select * From Win32_OperatingSystem", missing, missing, missing}));
}

TEST_P(WmiQueryBothWaysTest, FailedConnectionGivesEmptyTextAndQueriesNothing) {
    FakeWmiOptions options = Options();
    options.connectResult = static_cast<HRESULT>(0x80041003);  // access denied
    FakeWmi wmi(world, {{{L"Caption", Text(L"os")}}}, options);
    EXPECT_EQ(Query(wmi, "Caption"), "");
    EXPECT_TRUE(wmi.Services().Calls().empty());
    EXPECT_EQ(eventPasses, 0);
}

TEST_P(WmiQueryBothWaysTest, ObjectEnumeratorWhoseNextFailsEndsTheWalk) {
    FakeWmiOptions options = Options();
    options.failObjectNextAt = 1;
    FakeWmi wmi(world, {{{L"Caption", Text(L"first")}}, {{L"Caption", Text(L"second")}}}, options);
    EXPECT_EQ(Query(wmi, "Caption"), "first");
}

INSTANTIATE_TEST_SUITE_P(Walk, WmiQueryBothWaysTest, ::testing::Values(true));
INSTANTIATE_TEST_SUITE_P(ItemByName, WmiQueryBothWaysTest, ::testing::Values(false));

TEST_F(WmiQueryTest, WithoutALocatorTheResultIsEmpty) {
    Probe::Testing::SetLocatorFactory([]() -> IDispatch* { return nullptr; });
    EXPECT_EQ(QueryWmiProperty("Select * From Win32_Processor", "Name"), "");
}

TEST_F(WmiQueryTest, WalkProcessesEventsOncePerPropertyOfEveryObject) {
    FakeWmi wmi(world,
                {{{L"Name", Text(L"a")}, {L"MaxClockSpeed", UInt32(1)}, {L"Caption", Text(L"x")}},
                 {{L"Name", Text(L"b")}, {L"MaxClockSpeed", UInt32(2)}, {L"Caption", Text(L"y")}}});
    EXPECT_EQ(Query(wmi, "Name"), "b");
    EXPECT_EQ(eventPasses, 6);
    for (FakeDispatch* set : wmi.PropertySets()) EXPECT_EQ(set->CallsOf(L"Item"), 0);
}

TEST_F(WmiQueryTest, PropertyEnumeratorWhoseNextFailsEndsThatObjectsProperties) {
    FakeWmiOptions options;
    options.failPropertyNextAt = 1;
    FakeWmi wmi(world, {{{L"Name", Text(L"a")}, {L"Caption", Text(L"never read")}}}, options);
    EXPECT_EQ(Query(wmi, "Name"), "a");
    FakeWmi other(world, {{{L"Name", Text(L"a")}, {L"Caption", Text(L"never read")}}}, options);
    EXPECT_EQ(Query(other, "Caption"), "");
}

TEST_F(WmiQueryTest, UnwalkablePropertySetIsAskedForTheNamedPropertyAsAMethod) {
    FakeWmiOptions options;
    options.enumerableProperties = false;
    FakeWmi wmi(world,
                {{{L"Name", Text(L"a")}, {L"MaxClockSpeed", UInt32(1)}},
                 {{L"Name", Text(L"b")}, {L"MaxClockSpeed", UInt32(2)}}},
                options);
    EXPECT_EQ(Query(wmi, "MaxClockSpeed"), "2");
    EXPECT_EQ(eventPasses, 2) << "one pass per property read: one read per object";
    for (FakeDispatch* set : wmi.PropertySets()) {
        ASSERT_EQ(set->CallsOf(L"Item"), 1);
        const FakeDispatch::Call& item = set->Calls().back();
        EXPECT_EQ(item.member, L"Item");
        EXPECT_EQ(item.kind, DISPATCH_METHOD);
        EXPECT_EQ(item.arguments, (std::vector<std::wstring>{L"MaxClockSpeed", L"<missing>"}));
    }
}

TEST_F(WmiQueryTest, WhereNamesCannotBeReadTheItemLookupDecides) {
    FakeWmiOptions options;
    options.enumerableProperties = false;
    options.propertyNamesReadable = false;
    struct Case {
        const char* what;
        Objects objects;
        const char* property;
        std::string expected;
    } cases[] = {
        {"last object wins",
         {{{L"Caption", Text(L"first")}}, {{L"Caption", Text(L"second")}}},
         "Caption",
         "second"},
        {"null on the last object",
         {{{L"Caption", Text(L"first")}}, {{L"Caption", Null()}}},
         "Caption",
         ""},
        {"missing on the last object",
         {{{L"Caption", Text(L"first")}}, {{L"Name", Text(L"x")}}},
         "Caption",
         "first"},
    };
    for (Case& c : cases) {
        FakeWmi wmi(world, c.objects, options);
        EXPECT_EQ(Query(wmi, c.property), c.expected) << c.what;
    }
}

}  // namespace
