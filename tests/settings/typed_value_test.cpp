#include "settings/typed_value.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

struct TypedRow {
    const char* name;
    const SettingKey& key;
    const char* typed;
    const char* stored;  // null: refused
};

const TypedRow kTypedRows[] = {
    {"flag off, blanks", keys::Name, " 0 ", "0"},
    {"flag 2", keys::Name, "2", nullptr},
    {"whole number with plus", keys::RecurseDepth, "+7", "7"},
    {"negative number", keys::RecurseDepth, "-1", nullptr},
    {"number too large", keys::NameWidth, "99999999999", nullptr},
    {"word in other case", keys::Recurse, "depth", "Depth"},
    {"word of another key", keys::DisplayFileSize, "Infinite", nullptr},
    {"colour #RRGGBB, red first", keys::BodyBack, "#FF8000", "33023"},
    {"colour 0xBBGGRR, red last", keys::BodyBack, "0x0080ff", "33023"},
    {"colour too large", keys::BodyBack, "16777216", nullptr},
    {"colour short hex", keys::BodyBack, "#FFF", nullptr},
    {"font size whole", keys::FileFontSize, "10.0", "10"},
    {"font size zero", keys::FileFontSize, "0", nullptr},
    {"font size not a number", keys::FileFontSize, "big", nullptr},
    {"bytes in K", keys::FileSizeFrom, "512K", "524288"},
    {"bytes in G with a blank", keys::FileSizeTo, "2 g", "2147483648"},
    {"bytes cleared", keys::FileSizeTo, "", ""},
    {"bytes unknown unit", keys::FileSizeTo, "3X", nullptr},
    {"bytes overflow", keys::FileSizeTo, "99999999999T", nullptr},
    {"date-time general form", keys::FileTimeTo, "2007-12-03 14:30:05", "14:30 2007-12-03"},
    {"date-time nonsense", keys::FileTimeTo, "yesterday", nullptr},
    {"text unchanged", keys::FileInclude, " *.c;*.h ", " *.c;*.h "},
};

// Runs under LC_ALL=C, where the date-time forms are ISO dates.
TEST(CheckTypedValue, AcceptsWhatTheRuleAllowsInItsStoredForm) {
    for (const TypedRow& row : kTypedRows) {
        const CheckedValue checked = checkTypedValue(row.key, row.typed);
        EXPECT_EQ(checked.ok, row.stored != nullptr) << row.name << ": " << checked.problem;
        if (row.stored) {
            EXPECT_EQ(checked.text, row.stored) << row.name;
        } else {
            EXPECT_TRUE(checked.problem.starts_with(std::string(row.key.section) + "/" +
                                                    std::string(row.key.name) + " takes "))
                << row.name << ": " << checked.problem;
        }
    }
}

}  // namespace
}  // namespace quillory
