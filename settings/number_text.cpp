// Converting a field's text to a number the way every writer checks it.
#include "settings/number_text.h"

#include <limits>

namespace schema {
namespace {

template <typename Char>
bool IsBlank(Char c) {
    return c == Char(' ') || c == Char('\t') || c == Char('\n') || c == Char('\r') ||
           c == Char('\v') || c == Char('\f');
}

template <typename Char>
std::int32_t Convert(std::basic_string_view<Char> text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == Char('+') || text[i] == Char('-'))) {
        negative = text[i] == Char('-');
        ++i;
    }

    // Accumulated as a magnitude one past INT32_MAX at most, which is INT32_MIN's size.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
        magnitude = magnitude * 10 + (text[i] - Char('0'));
        if (magnitude > kLimit) magnitude = kLimit;
    }

    if (negative) return static_cast<std::int32_t>(-magnitude);
    if (magnitude == kLimit) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(magnitude);
}

}  // namespace

std::int32_t LeadingDecimalNumber(std::wstring_view text) { return Convert(text); }
std::int32_t LeadingDecimalNumber(std::string_view text) { return Convert(text); }

}  // namespace schema
