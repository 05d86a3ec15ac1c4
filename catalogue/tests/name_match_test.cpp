#include "catalogue/name_match.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// GBK bytes of characters used below whose second byte is an ASCII letter:
// 學 8C 57 'W', 寃 8C 77 'w', 時 95 72 'r', 馬 F1 52 'R', 門 E9 54 'T'; and
// 聲 C2 95, whose second byte is the first byte of 時.
TEST(NameContains, MatchesWholeCharactersIgnoringAsciiCase) {
    struct Case {
        const char* name;
        const char* text;
        bool expected;
    } cases[] = {
        {"Warcraft", "warcraft", true},
        {"warcraft", "WARCRAFT", true},
        {"魔兽争霸III", "iii", true},
        {"魔兽争霸III", "争霸", true},
        {"魔兽争霸III", "兽争霸I", true},
        {"魔兽争霸III", "霸兽", false},
        {"Warcraft", "warcraft 3", false},  // longer than what remains
        {"", "a", false},
        {"传奇", "", true},
        {"", "", true},
        {"A-10 攻击机", "a-10 攻", true},
        {"A_1", "a_1", true},  // only letters fold: '_' (0x5F) is not '?' (0x7F)
        {"A?1",
         "a\x7f"
         "1",
         false},
        // Second bytes in the letter range never start a match...
        {"三國時代", "r", false},
        {"三國時代", "R", false},
        {"鐵馬", "r", false},
        {"門派", "t", false},
        {"學園", "W", false},
        // ...nor fold their case inside one.
        {"學園", "寃", false},
        {"寃案", "學", false},
        {"學園", "學", true},
        // A second byte equal to the text's first byte is not a start either.
        {"聲Race", "時", false},
        {"聲Race時代", "時", true},
        {"聲Race", "race", true},
        // Mixed Chinese and Latin names.
        {"三國志Online", "國志on", true},
        {"三國志Online", "ONLINE", true},
        {"Dota2刀塔", "2刀", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameContains(c.name, c.text), c.expected)
            << '"' << c.name << "\" / \"" << c.text << '"';
}

TEST(NameContains, TextEndingInsideACharacterDoesNotMatchIt) {
    const std::string name = "三國時代";
    // The text is the first character of 時 cut after its first byte.
    EXPECT_FALSE(NameContains(name, std::string("國\x95")));
    EXPECT_TRUE(NameContains(name, std::string("國時")));
}

TEST(NameContains, ALeadByteAtTheEndOfANameIsReadAlone) {
    // A damaged name must neither match across its end nor read past it.
    const std::string name = "ab\x95";
    EXPECT_TRUE(NameContains(name, std::string("\x95")));
    EXPECT_FALSE(NameContains(name, std::string("\x95r")));
    EXPECT_TRUE(NameContains(name, "B"));
}

}  // namespace
