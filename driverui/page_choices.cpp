// The words the page's combo boxes offer.
#include "driverui/page_choices.h"

#include "settings/schema.h"

const wchar_t* const PageChoiceTable[10] = {
    schema::kPeriodicStatusWords[0].wide,     schema::kPeriodicStatusWords[1].wide,
    schema::kPeriodicStatusWords[2].wide,     schema::kPeriodicStatusWords[3].wide,
    schema::kKnifeCutWords[0].wide,           schema::kKnifeCutWords[1].wide,
    schema::kPageCashDrawerWords[0].wide,     schema::kPageCashDrawerWords[1].wide,
    schema::kSkipFirstStartPageWords[0].wide, schema::kSkipFirstStartPageWords[1].wide,
};

int FindChoice(ChoiceSlice slice, const wchar_t* text) {
    for (int i = 0; i < slice.count; ++i) {
        if (CompareStringOrdinal(text, -1, PageChoiceTable[slice.first + i], -1, TRUE) ==
            CSTR_EQUAL) {
            return i;
        }
    }
    return -1;
}
