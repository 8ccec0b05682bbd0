// Converting a field's text to a number.
#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct Case {
    const char* text;
    std::int32_t number;
};

const Case kCases[] = {
    {"", 0},
    {"abc", 0},
    {"5000", 5000},
    {"5000ms", 5000},
    {"  42", 42},
    {"\t+7", 7},
    {"-1", -1},
    {"- 1", 0},
    {"+-1", 0},
    {"0010000", 10000},
    {"2147483647", 2147483647},
    {"2147483648", 2147483647},
    {"99999999999999999999", 2147483647},
    {"-2147483648", INT32_MIN},
    {"-2147483649", INT32_MIN},
    {"-99999999999999999999", INT32_MIN},
    {"12 34", 12},
};

TEST(LeadingDecimalNumberTest, TakesTheLeadingNumberAndSaturatesAt32Bits) {
    for (const Case& c : kCases) {
        EXPECT_EQ(schema::LeadingDecimalNumber(std::string_view(c.text)), c.number) << c.text;
        const std::string narrow(c.text);
        const std::wstring wide(narrow.begin(), narrow.end());
        EXPECT_EQ(schema::LeadingDecimalNumber(std::wstring_view(wide)), c.number) << c.text;
    }
}

}  // namespace
