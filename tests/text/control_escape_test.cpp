#include "text/control_escape.h"

#include <gtest/gtest.h>

namespace quillory::test {
namespace {

TEST(EscapeControlBytes, ControlBytesShowAsLsShowsThem) {
    struct Row { const char* name; std::string text; std::string shown; } rows[] = {
        {"plain", "report 2024.txt", "report 2024.txt"},
        {"title and clear", "\033]0;TITLE\a\033[2J", "\\033]0;TITLE\\a\\033[2J"},
        {"letters", std::string("\b\t\n\v\f\r", 6), "\\b\\t\\n\\v\\f\\r"},
        {"nul and delete", std::string("a\0b\x7f", 4), "a\\000b\\177"},
        {"utf-8 kept", "caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac"},
        {"c1 control in utf-8", "a\xc2\x9b" "2J", "a\\302\\2332J"}, {"raw csi byte", "a\x9b" "2J", "a\\2332J"},
        {"cut sequence", "\xe2\x82", "\\342\\202"}, {"share path", "\\\\host\\share", "\\\\host\\share"},
    };
    for (const Row& row : rows) EXPECT_EQ(escapeControlBytes(row.text), row.shown) << row.name;
}

}  // namespace
}  // namespace quillory::test
