#include "engine/file_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace quillory {
namespace {

struct SizeRow { const char* name; const char* display; std::int64_t bytes; const char* expected; };

const SizeRow kSizeRows[] = {
    {"dynamic below a kilobyte", "Dynamic", 1023, "1023 Bytes"}, {"dynamic one kilobyte", "Dynamic", 1024, "1.0 KB"},
    {"dynamic 2.25 rounds up", "Dynamic", 2304, "2.3 KB"}, {"dynamic top of kilobytes", "Dynamic", 1048576, "1024.0 KB"},
    {"dynamic first megabyte step", "Dynamic", 1048577, "1.0 MB"},
    {"dynamic first gigabyte step", "Dynamic", 1073741825, "1.0 GB"},
    {"dynamic largest size", "Dynamic", std::numeric_limits<std::int64_t>::max(), "8589934592.0 GB"},
    {"dynamic negative stays bytes", "Dynamic", -5000, "-5000 Bytes"},
    {"lower-case bytes is dynamic", "bytes", 1048576, "1024.0 KB"},
    {"bytes no grouping", "Bytes", 5368709120, "5368709120 Bytes"}, {"kb tenth half", "Kb", 256, "0.3 KB"},
    {"kb negative half away from zero", "Kb", -1280, "-1.3 KB"},
    {"kb most negative", "Kb", std::numeric_limits<std::int64_t>::min(), "-9007199254740992.0 KB"},
    {"mb half of the last decimal", "Mb", 32768, "0.0313 MB"},
};

TEST(SizeTextFor, FollowsTheDisplayWord) {
    for (const SizeRow& row : kSizeRows)
        EXPECT_EQ(sizeTextFor(row.display, row.bytes, '.'), row.expected) << row.name;
    EXPECT_EQ(sizeTextFor("Dynamic", 1536, ','), "1,5 KB");
}

// Attribute letters come archive, hidden, read-only, system; an unreadable word gives none.
TEST(TextHelpers, ExtensionSeparatorAndAttributeLetters) {
    const struct { const char* name; std::string got; const char* expected; } rows[] = {
        {"extension: trailing dot", getExtension("README."), ""},
        {"extension: last of two, case kept", getExtension("archive.tar.GZ"), "GZ"},
        {"separator: empty", addSeparator(""), "/"}, {"separator: root", addSeparator("/"), "/"},
        {"separator: back-slash is a name character", addSeparator("dir\\"), "dir\\/"},
        {"letters: unreadable", attribLetters(-1), ""}, {"letters: all four", attribLetters(0x27), "ahrs"},
        {"letters: other bits ignored", attribLetters(0x10 | 0x80 | 0x100 | 0x01), "r"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.got, row.expected) << row.name;
}

}  // namespace
}  // namespace quillory
