// The words the page's combo boxes offer: one table, sliced per combo box.
#pragma once

#include <windows.h>

// Ten strings; each combo box gets one slice, in table order, so that an item's index in
// its combo box is its position within the slice.
extern const wchar_t* const PageChoiceTable[10];

struct ChoiceSlice {
    int first;
    int count;
};
inline constexpr ChoiceSlice kPeriodicStatusChoices{0, 4};
inline constexpr ChoiceSlice kKnifeCutChoices{4, 2};
inline constexpr ChoiceSlice kCashDrawerChoices{6, 2};
inline constexpr ChoiceSlice kSkipFirstPageChoices{8, 2};

// The index within `slice` of the word equal to `text` (letter case ignored, whole
// string), or -1.
int FindChoice(ChoiceSlice slice, const wchar_t* text);
