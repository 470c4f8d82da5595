#include "engine/file_format.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "engine/listing_options.h"
#include "settings/key_table.h"
#include "support/scoped_time_zone.h"
#include "support/temp_dir.h"
#include "support/temp_store.h"

namespace quillory {
namespace {

struct SizeRow {
    const char* name;
    const char* display;
    std::int64_t bytes;
    const char* expected;
};

const SizeRow kSizeRows[] = {
    {"dynamic below a kilobyte", "Dynamic", 1023, "1023 Bytes"},
    {"dynamic one kilobyte", "Dynamic", 1024, "1.0 KB"},
    {"dynamic 2.25 rounds up", "Dynamic", 2304, "2.3 KB"},
    {"dynamic just under a half", "Dynamic", 1075, "1.0 KB"},
    {"dynamic top of kilobytes", "Dynamic", 1048576, "1024.0 KB"},
    {"dynamic first megabyte step", "Dynamic", 1048577, "1.0 MB"},
    {"dynamic five gigabytes", "Dynamic", 5368709120, "5.0 GB"},
    {"dynamic largest size", "Dynamic", std::numeric_limits<std::int64_t>::max(), "8589934592.0 GB"},
    {"dynamic negative stays bytes", "Dynamic", -5000, "-5000 Bytes"},
    {"lower-case bytes is dynamic", "bytes", 1048576, "1024.0 KB"},
    {"bytes no grouping", "Bytes", 5368709120, "5368709120 Bytes"},
    {"kb tenth half", "Kb", 256, "0.3 KB"},
    {"kb negative half away from zero", "Kb", -1280, "-1.3 KB"},
    {"kb most negative", "Kb", std::numeric_limits<std::int64_t>::min(), "-9007199254740992.0 KB"},
    {"mb one megabyte", "Mb", 1048576, "1.0000 MB"},
    {"mb half of the last decimal", "Mb", 32768, "0.0313 MB"},
};

TEST(SizeTextFor, FollowsTheDisplayWord) {
    for (const SizeRow& row : kSizeRows)
        EXPECT_EQ(sizeTextFor(row.display, row.bytes, '.'), row.expected) << row.name;
    EXPECT_EQ(sizeTextFor("Dynamic", 1536, ','), "1,5 KB");
    EXPECT_EQ(sizeTextFor("Mb", 1048576, ','), "1,0000 MB");
}

// The word the store holds where the folder starts decides.
TEST(SizeText, FollowsTheStoredWord) {
    const struct {
        const char* stored;  // nullptr: nothing stored
        const char* expected;
    } rows[] = {{nullptr, "1024.0 KB"}, {"Mb", "1.0000 MB"}, {"Bytes", "1048576 Bytes"}, {"bytes", "1024.0 KB"}};
    for (const auto& row : rows) {
        test::TempStore t;
        if (row.stored) {
            ASSERT_TRUE(t.store.write(keys::DisplayFileSize, row.stored));
        }
        EXPECT_EQ(sizeText(readListingOptions(t.store), 1048576), row.expected) << (row.stored ? row.stored : "none");
    }
}

TEST(CombineSize, TakesTheLowHalfUnsigned) {
    const struct {
        const char* name;
        std::int32_t high;
        std::int32_t low;
        std::int64_t expected;
    } rows[] = {
        {"five gigabytes", 1, 1073741824, 5368709120},
        {"low half with the top bit set", 0, static_cast<std::int32_t>(3000000000u), 3000000000},
        {"negative high half is ignored", -1, 5, 5},
        {"largest", std::numeric_limits<std::int32_t>::max(), -1, std::numeric_limits<std::int64_t>::max()},
    };
    for (const auto& row : rows) EXPECT_EQ(combineSize(row.high, row.low), row.expected) << row.name;
}

TEST(TextHelpers, ExtensionNulAndSeparator) {
    const struct {
        const char* name;
        std::string (*function)(std::string_view);
        std::string_view input;
        const char* expected;
    } rows[] = {
        {"extension: no dot", getExtension, "README", ""},
        {"extension: trailing dot", getExtension, "README.", ""},
        {"extension: leading dot", getExtension, ".profile", "profile"},
        {"extension: last of two, case kept", getExtension, "archive.tar.GZ", "GZ"},
        {"NUL: none", trimAtNul, "abc", "abc"},
        {"NUL: first", trimAtNul, std::string_view("\0abc", 4), ""},
        {"NUL: fixed field padding", trimAtNul, std::string_view("name.txt\0\0\0", 11), "name.txt"},
        {"separator: empty", addSeparator, "", "/"},
        {"separator: root", addSeparator, "/", "/"},
        {"separator: folder", addSeparator, "/home/user", "/home/user/"},
        {"separator: back-slash is a name character", addSeparator, "dir\\", "dir\\/"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.function(row.input), row.expected) << row.name;
}

TEST(AttribLetters, AreArchiveHiddenReadOnlySystemInOrder) {
    const struct {
        const char* name;
        std::int64_t word;
        const char* expected;
    } rows[] = {
        {"unreadable", -1, ""},
        {"none", 0, ""},
        {"archive and read-only", 0x21, "ar"},
        {"hidden system archive", 0x26, "ahs"},
        {"all four", 0x27, "ahrs"},
        {"other bits ignored", 0x10 | 0x80 | 0x100 | 0x01, "r"},
    };
    for (const auto& row : rows) EXPECT_EQ(attribLetters(row.word), row.expected) << row.name;
}

TEST(GetAttribText, ReadsTheFileSystem) {
    test::TempDir dir;
    const std::string plain = dir.file("plain.txt");
    const std::string readOnly = dir.file("locked.txt");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(getAttribText(plain), "");
    EXPECT_EQ(getAttribText(dir.file(".hidden")), "h");
    EXPECT_EQ(getAttribText(readOnly), "r");
    EXPECT_EQ(getAttribText(dir / "missing.txt"), "");
    const std::string described = dir.file("described.txt");
    const std::string_view samba("0x26\0", 5);
    if (::setxattr(described.c_str(), "user.DOSATTRIB", samba.data(), samba.size(), 0) != 0)
        GTEST_SKIP() << "file system refuses user extended attributes: " << std::strerror(errno);
    EXPECT_EQ(getAttribText(described), "ahs");
}

TEST(GetFileTime, IsTheLocalModificationTimeOrZero) {
    test::TempDir dir;
    const std::string file = dir.file("dated.txt", 0, 1196692205);  // 2007-12-03 14:30:05 UTC
    {
        test::ScopedTimeZone utc("UTC0");
        EXPECT_EQ(dateTimeText(getFileTime(file)), "2007-12-03 14:30:05");
    }
    {
        test::ScopedTimeZone east("XST-3");
        EXPECT_EQ(dateTimeText(getFileTime(file)), "2007-12-03 17:30:05");
    }
    EXPECT_EQ(dateTimeText(getFileTime(dir / "missing.txt")), "00:00:00");
}

TEST(GetTypeText, JudgesTheLastPathComponent) {
    EXPECT_EQ(getTypeText("/some/folder/notes.txt"), "plain text document");
    EXPECT_EQ(getTypeText("/some/folder.txt/data.qqzz"), "QQZZ File");
    EXPECT_EQ(getTypeText("relative.qqzz"), "QQZZ File");
    EXPECT_EQ(getTypeText("/some/folder.qqzz/noext"), "File");
    EXPECT_EQ(getTypeText("/some/folder/"), "");
}

}  // namespace
}  // namespace quillory
