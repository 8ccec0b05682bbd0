// The registry layout: value names and word lists.
#include "settings/schema.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <cwctype>
#include <set>
#include <string>

namespace {

std::wstring Upper(const wchar_t* text) {
    std::wstring upper;
    for (; *text != L'\0'; ++text) upper += static_cast<wchar_t>(std::towupper(*text));
    return upper;
}

bool SameInBothForms(const schema::Text& t) {
    std::wstring widened;
    for (const char* c = t.ansi; *c != '\0'; ++c) widened += static_cast<wchar_t>(*c);
    return widened == t.wide;
}

TEST(SchemaTest, EveryValueNameIsDistinctAndSpelledAlikeInBothForms) {
    const schema::Text names[] = {
        schema::kPeriodicStatus,   schema::kStatusInterval,     schema::kDefaultStartDoc,
        schema::kDefaultStartPage, schema::kDefaultEndDoc,      schema::kDefaultSkipFirstStartPage,
        schema::kDefaultKnifeCut,  schema::kDefaultCashDrawer1, schema::kDefaultCashDrawer2,
        schema::kDefaultLineFeeds, schema::kStartDocString,     schema::kStartPageString,
        schema::kEndDocString,     schema::kSkipFirstStartPage, schema::kEndOfDocKnifeCut,
        schema::kCashDrawer1,      schema::kCashDrawer2,        schema::kEndOfDocLineFeeds,
        schema::kManufacturer,
    };
    std::set<std::wstring> seen;
    for (const schema::Text& name : names) {
        EXPECT_TRUE(SameInBothForms(name)) << name.ansi;
        EXPECT_TRUE(seen.insert(Upper(name.wide)).second) << name.ansi;
    }
    EXPECT_EQ(Upper(schema::kEndOfDocKnifeCutAsRead.wide), Upper(schema::kEndOfDocKnifeCut.wide));
}

TEST(SchemaTest, TheDeleteOrderHoldsEachPrinterValueOnce) {
    std::set<std::wstring> printerValues;
    for (const schema::Text& name : schema::kPrinterValuesInDeleteOrder) {
        printerValues.insert(name.wide);
    }
    EXPECT_EQ(printerValues,
              (std::set<std::wstring>{L"EndOfDocKnifeCut", L"EndOfDocLineFeeds", L"StartDocString",
                                      L"StartPageString", L"EndDocString", L"SkipFirstStartPage",
                                      L"CashDrawer1", L"CashDrawer2"}));
    EXPECT_STREQ(schema::kPrinterValuesInDeleteOrder[0].wide, L"EndOfDocKnifeCut");
    EXPECT_STREQ(schema::kPrinterValuesInDeleteOrder[7].wide, L"CashDrawer2");
}

template <std::size_t N>
void ExpectUpperCaseInBothForms(const schema::Text (&words)[N]) {
    for (const schema::Text& word : words) {
        EXPECT_TRUE(SameInBothForms(word)) << word.ansi;
        EXPECT_EQ(Upper(word.wide), word.wide);
    }
}

TEST(SchemaTest, WordsAreUpperCaseAndAlikeInBothForms) {
    ExpectUpperCaseInBothForms(schema::kPeriodicStatusWords);
    ExpectUpperCaseInBothForms(schema::kSkipFirstStartPageWords);
    ExpectUpperCaseInBothForms(schema::kKnifeCutWords);
    ExpectUpperCaseInBothForms(schema::kPageCashDrawerWords);
    ExpectUpperCaseInBothForms(schema::kUtilityCashDrawerWords);
}

}  // namespace
