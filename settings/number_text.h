// Converting a field's text to a number the way every writer checks it.
#pragma once

#include <cstdint>
#include <string_view>

namespace schema {

// The leading decimal number of `text`: blanks skipped, one optional sign, digits up to
// the first other character. Text without digits gives 0. A number beyond 32 bits gives
// the nearest 32-bit limit, so that a range check refuses it instead of a wrapped value.
std::int32_t LeadingDecimalNumber(std::wstring_view text);
std::int32_t LeadingDecimalNumber(std::string_view text);

}  // namespace schema
