#pragma once
// Checks a value the user typed for a key (quillory-list --set, -D) against
// the key's rule and turns it into the text the writers store.
#include <string>
#include <string_view>

#include "settings/key_table.h"

namespace quillory {

struct CheckedValue {
    bool ok = false;
    std::string text;     // the text to store, when ok
    std::string problem;  // when not: one line saying what the key takes
};

// Flags take 0 or 1; whole numbers take digits; words match without case and
// are stored in their own spelling; colours are typed as a decimal colour
// number, #RRGGBB or 0xBBGGRR and stored as the decimal number (red in the low
// byte); font sizes are stored in shortest form; byte sizes may carry a
// 1024-based unit (512K, 1MB, 2G) and are stored in bytes, empty for no bound;
// date-times are read in the regional forms and stored as short time, a
// blank, short date; free text is stored as typed.
CheckedValue checkTypedValue(const SettingKey& key, std::string_view typed);

}  // namespace quillory
