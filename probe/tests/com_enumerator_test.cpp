#include "probe/com_enumerator.h"

#include <gtest/gtest.h>

#include "probe/tests/fake_automation.h"

namespace {

class ComEnumeratorTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_EQ(world.Unbalanced(), std::vector<std::string>{}); }
    FakeWorld world;
};

TEST_F(ComEnumeratorTest, EmptyCollectionOpensAndEndsAtOnceLeavingIntegerZero) {
    FakeDispatch& collection = world.NewCollection("empty", {});
    ComEnumerator enumerator;
    Variant element;
    EXPECT_TRUE(enumerator.Open(&collection));
    EXPECT_FALSE(enumerator.Next(element));
    EXPECT_EQ(element.Type(), VT_I4);
    EXPECT_EQ(element.Raw().lVal, 0);
    EXPECT_FALSE(enumerator.Next(element)) << "a second Next after the end";
}

TEST_F(ComEnumeratorTest, FetchesElementsInOrderAndReleasesEachPreviousOne) {
    FakeDispatch& first = world.NewDispatch("first");
    FakeDispatch& second = world.NewDispatch("second");
    FakeDispatch& collection = world.NewCollection("two", {Object(first), Object(second)});
    ComEnumerator enumerator;
    Variant element;
    ASSERT_TRUE(enumerator.Open(&collection));
    ASSERT_TRUE(enumerator.Next(element));
    ASSERT_EQ(element.Type(), VT_DISPATCH);
    EXPECT_EQ(element.Raw().pdispVal, &first);
    ASSERT_TRUE(enumerator.Next(element));
    EXPECT_EQ(element.Raw().pdispVal, &second);
    EXPECT_EQ(first.References(), 0) << "fetching the next element clears the previous one";
    EXPECT_FALSE(enumerator.Next(element));
    EXPECT_EQ(second.References(), 0);
}

TEST_F(ComEnumeratorTest, OpenResetsTheNewEnumeratorOnceAndKeepsOnlyItsOwnReference) {
    FakeDispatch& collection = world.NewCollection("one", {Int32(7)});
    ComEnumerator enumerator;
    ASSERT_TRUE(enumerator.Open(&collection));
    ASSERT_EQ(world.Enumerators().size(), 1u);
    const FakeEnum& fake = *world.Enumerators()[0];
    EXPECT_EQ(fake.resets, 1);
    ASSERT_EQ(fake.interfacesAsked.size(), 1u);
    EXPECT_TRUE(IsEqualIID(fake.interfacesAsked[0], IID_IEnumVARIANT));
    EXPECT_EQ(fake.References(), 1);
    EXPECT_EQ(enumerator.Close(), 0u);
    EXPECT_EQ(fake.References(), 0);
}

TEST_F(ComEnumeratorTest, OpenFailsWithoutAnEnumeratorAndHoldsNothing) {
    FakeDispatch& withoutMember = world.NewDispatch("no _NewEnum");
    FakeDispatch& failing = world.NewDispatch("failing _NewEnum");
    failing.AddMember(L"_NewEnum", DISPATCH_PROPERTYGET,
                      [](const std::vector<VARIANT*>&, VARIANT&) { return E_FAIL; });
    FakeDispatch& notAnObject = world.NewDispatch("_NewEnum is a number");
    notAnObject.AddProperty(L"_NewEnum", Int32(1));
    FakeDispatch& notEnumVariant = world.NewCollection(
        "no IEnumVARIANT", {Int32(1)}, [](FakeEnum& e) { e.supportsEnumVariant = false; });
    struct Case {
        const char* what;
        IDispatch* collection;
    } cases[] = {
        {"null collection", nullptr},
        {"no _NewEnum", &withoutMember},
        {"failing _NewEnum", &failing},
        {"_NewEnum not an object", &notAnObject},
        {"enumerator without IEnumVARIANT", &notEnumVariant},
    };
    for (const Case& c : cases) {
        ComEnumerator enumerator;
        Variant element;
        EXPECT_FALSE(enumerator.Open(c.collection)) << c.what;
        EXPECT_FALSE(enumerator.IsOpen()) << c.what;
        EXPECT_FALSE(enumerator.Next(element)) << c.what;
        EXPECT_EQ(world.Unbalanced(), std::vector<std::string>{}) << c.what;
    }
}

TEST_F(ComEnumeratorTest, OpeningASecondCollectionReleasesTheFirstEnumeratorBeforeReadingIt) {
    FakeDispatch& first = world.NewCollection("first", {Int32(1)});
    long firstEnumeratorReferencesSeen = -1;
    FakeDispatch& second = world.NewDispatch("second");
    FakeEnum& secondEnumerator = world.NewEnum("second enumerator", {Int32(2)});
    second.AddMember(L"_NewEnum", DISPATCH_PROPERTYGET,
                     [&](const std::vector<VARIANT*>&, VARIANT& result) {
                         firstEnumeratorReferencesSeen = world.Enumerators()[0]->References();
                         Object(secondEnumerator)(result);
                         return S_OK;
                     });
    ComEnumerator enumerator;
    Variant element;
    ASSERT_TRUE(enumerator.Open(&first));
    ASSERT_TRUE(enumerator.Open(&second));
    EXPECT_EQ(firstEnumeratorReferencesSeen, 0);
    ASSERT_TRUE(enumerator.Next(element));
    EXPECT_EQ(element.Raw().lVal, 2);
}

TEST_F(ComEnumeratorTest, ClosedEnumeratorAnswersFalseAndTouchesNothing) {
    ComEnumerator enumerator;
    Variant element;
    element.Raw().vt = VT_BSTR;
    element.Raw().bstrVal = SysAllocString(L"kept");
    EXPECT_FALSE(enumerator.Next(element));
    EXPECT_FALSE(enumerator.Reset());
    EXPECT_FALSE(enumerator.Skip(1));
    EXPECT_EQ(enumerator.Close(), 0u);
    ASSERT_EQ(element.Type(), VT_BSTR);
    EXPECT_STREQ(element.Raw().bstrVal, L"kept");

    FakeDispatch& collection = world.NewCollection("one", {Int32(1)});
    ASSERT_TRUE(enumerator.Open(&collection));
    enumerator.Close();
    EXPECT_FALSE(enumerator.Next(element)) << "after Close";
    EXPECT_EQ(world.Enumerators()[0]->nextCalls, 0);
}

TEST_F(ComEnumeratorTest, SkipAndResetReportOnlySuccess) {
    FakeDispatch& collection = world.NewCollection("three", {Int32(1), Int32(2), Int32(3)});
    ComEnumerator enumerator;
    Variant element;
    ASSERT_TRUE(enumerator.Open(&collection));
    EXPECT_TRUE(enumerator.Skip(2));
    ASSERT_TRUE(enumerator.Next(element));
    EXPECT_EQ(element.Raw().lVal, 3);
    EXPECT_TRUE(enumerator.Reset());
    ASSERT_TRUE(enumerator.Next(element));
    EXPECT_EQ(element.Raw().lVal, 1);
    EXPECT_FALSE(enumerator.Skip(5)) << "skipping past the end gives S_FALSE";
}

TEST_F(ComEnumeratorTest, FailingNextEndsTheWalk) {
    FakeDispatch& collection = world.NewCollection("breaks", {Int32(1), Int32(2), Int32(3)},
                                                   [](FakeEnum& e) { e.failNextAt = 1; });
    ComEnumerator enumerator;
    Variant element;
    ASSERT_TRUE(enumerator.Open(&collection));
    EXPECT_TRUE(enumerator.Next(element));
    EXPECT_FALSE(enumerator.Next(element));
    EXPECT_EQ(element.Raw().lVal, 0);
}

TEST_F(ComEnumeratorTest, CloseReturnsWhatReleaseReturned) {
    FakeDispatch& collection = world.NewCollection("one", {Int32(1)});
    ComEnumerator enumerator;
    ASSERT_TRUE(enumerator.Open(&collection));
    FakeEnum& fake = *world.Enumerators()[0];
    fake.AddRef();  // someone else's reference
    EXPECT_EQ(enumerator.Close(), 1u);
    EXPECT_FALSE(enumerator.IsOpen());
    EXPECT_EQ(enumerator.Close(), 0u);
    fake.Release();
}

TEST_F(ComEnumeratorTest, DestroyingAnOpenEnumeratorReleasesExactlyOnce) {
    FakeDispatch& collection = world.NewCollection("one", {Int32(1)});
    {
        ComEnumerator enumerator;
        ASSERT_TRUE(enumerator.Open(&collection));
        EXPECT_EQ(world.Enumerators()[0]->References(), 1);
    }
    EXPECT_EQ(world.Enumerators()[0]->References(), 0);
    EXPECT_FALSE(world.Enumerators()[0]->OverReleased());
}

}  // namespace
