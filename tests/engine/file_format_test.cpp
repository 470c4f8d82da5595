#include "engine/file_format.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>

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
    {"dynamic zero", "Dynamic", 0, "0 Bytes"},
    {"dynamic below a kilobyte", "Dynamic", 1023, "1023 Bytes"},
    {"dynamic one kilobyte", "Dynamic", 1024, "1.0 KB"},
    {"dynamic one and a half", "Dynamic", 1536, "1.5 KB"},
    {"dynamic quarter half rounds up", "Dynamic", 1280, "1.3 KB"},
    {"dynamic three quarters", "Dynamic", 1792, "1.8 KB"},
    {"dynamic 2.25 rounds up", "Dynamic", 2304, "2.3 KB"},
    {"dynamic just under a half", "Dynamic", 1075, "1.0 KB"},
    {"dynamic top of kilobytes", "Dynamic", 1048576, "1024.0 KB"},
    {"dynamic first megabyte step", "Dynamic", 1048577, "1.0 MB"},
    {"dynamic 1.25 megabytes", "Dynamic", 1310720, "1.3 MB"},
    {"dynamic top of megabytes", "Dynamic", 1073741824, "1024.0 MB"},
    {"dynamic first gigabyte step", "Dynamic", 1073741825, "1.0 GB"},
    {"dynamic 1.25 gigabytes", "Dynamic", 1342177280, "1.3 GB"},
    {"dynamic five gigabytes", "Dynamic", 5368709120, "5.0 GB"},
    {"dynamic largest size", "Dynamic", std::numeric_limits<std::int64_t>::max(), "8589934592.0 GB"},
    {"dynamic negative stays bytes", "Dynamic", -5000, "-5000 Bytes"},
    {"lower-case bytes is dynamic", "bytes", 1048576, "1024.0 KB"},
    {"empty word is dynamic", "", 1536, "1.5 KB"},
    {"upper-case KB is dynamic", "KB", 5368709120, "5.0 GB"},
    {"word with a blank is dynamic", "Bytes ", 2048, "2.0 KB"},
    {"bytes zero", "Bytes", 0, "0 Bytes"},
    {"bytes no grouping", "Bytes", 5368709120, "5368709120 Bytes"},
    {"bytes 1023", "Bytes", 1023, "1023 Bytes"},
    {"kb zero", "Kb", 0, "0.0 KB"},
    {"kb small", "Kb", 1023, "1.0 KB"},
    {"kb tenth half", "Kb", 256, "0.3 KB"},
    {"kb 1536", "Kb", 1536, "1.5 KB"},
    {"kb one megabyte", "Kb", 1048576, "1024.0 KB"},
    {"kb five gigabytes", "Kb", 5368709120, "5242880.0 KB"},
    {"kb negative half away from zero", "Kb", -1280, "-1.3 KB"},
    {"kb tiny negative rounds to zero", "Kb", -1, "0.0 KB"},
    {"kb most negative", "Kb", std::numeric_limits<std::int64_t>::min(), "-9007199254740992.0 KB"},
    {"mb zero", "Mb", 0, "0.0000 MB"},
    {"mb one megabyte", "Mb", 1048576, "1.0000 MB"},
    {"mb one byte more", "Mb", 1048577, "1.0000 MB"},
    {"mb one kilobyte", "Mb", 1024, "0.0010 MB"},
    {"mb half of the last decimal", "Mb", 32768, "0.0313 MB"},
    {"mb 1536", "Mb", 1536, "0.0015 MB"},
    {"mb one gigabyte", "Mb", 1073741824, "1024.0000 MB"},
    {"mb five gigabytes", "Mb", 5368709120, "5120.0000 MB"},
};

TEST(SizeTextFor, FollowsTheDisplayWord) {
    for (const SizeRow& row : kSizeRows)
        EXPECT_EQ(sizeTextFor(row.display, row.bytes, '.'), row.expected) << row.name;
}

TEST(SizeTextFor, WritesTheGivenDecimalSeparator) {
    EXPECT_EQ(sizeTextFor("Dynamic", 1536, ','), "1,5 KB");
    EXPECT_EQ(sizeTextFor("Mb", 1048576, ','), "1,0000 MB");
    EXPECT_EQ(sizeTextFor("Bytes", 1536, ','), "1536 Bytes");
    EXPECT_EQ(sizeTextFor("Kb", -1280, ','), "-1,3 KB");
}

TEST(SizeText, ReadsTheStoredWordAtEveryCall) {
    test::TempStore t;
    EXPECT_EQ(sizeText(t.store, 1048576), "1024.0 KB") << "nothing stored: dynamic";
    ASSERT_TRUE(t.store.write(keys::DisplayFileSize, "Mb"));
    EXPECT_EQ(sizeText(t.store, 1048576), "1.0000 MB");
    ASSERT_TRUE(t.store.write(keys::DisplayFileSize, "Bytes"));
    EXPECT_EQ(sizeText(t.store, 1048576), "1048576 Bytes");
    ASSERT_TRUE(t.store.write(keys::DisplayFileSize, "bytes"));
    EXPECT_EQ(sizeText(t.store, 1048576), "1024.0 KB");
}

struct CombineRow {
    const char* name;
    std::int32_t high;
    std::int32_t low;
    std::int64_t expected;
};

const CombineRow kCombineRows[] = {
    {"zero", 0, 0, 0},
    {"small", 0, 1536, 1536},
    {"five gigabytes", 1, 1073741824, 5368709120},
    {"low half with the top bit set", 0, static_cast<std::int32_t>(3000000000u), 3000000000},
    {"low half all ones", 0, -1, 4294967295},
    {"negative high half is ignored", -1, 5, 5},
    {"largest", std::numeric_limits<std::int32_t>::max(), -1, std::numeric_limits<std::int64_t>::max()},
};

TEST(CombineSize, TakesTheLowHalfUnsigned) {
    for (const CombineRow& row : kCombineRows)
        EXPECT_EQ(combineSize(row.high, row.low), row.expected) << row.name;
}

struct TextRow {
    const char* name;
    std::string_view input;
    const char* expected;
};

const TextRow kExtensionRows[] = {
    {"no dot", "README", ""},
    {"trailing dot", "README.", ""},
    {"leading dot", ".profile", "profile"},
    {"last of two", "archive.tar.gz", "gz"},
    {"case kept", "Photo.JPG", "JPG"},
    {"empty name", "", ""},
    {"two dots together", "a..b", "b"},
    {"only a dot", ".", ""},
};

TEST(GetExtension, IsEverythingAfterTheLastDot) {
    for (const TextRow& row : kExtensionRows)
        EXPECT_EQ(getExtension(row.input), row.expected) << row.name;
}

const TextRow kTrimRows[] = {
    {"no NUL", "abc", "abc"},
    {"NUL inside", std::string_view("abc\0def", 7), "abc"},
    {"NUL first", std::string_view("\0abc", 4), ""},
    {"empty", "", ""},
    {"fixed field padding", std::string_view("name.txt\0\0\0\0", 12), "name.txt"},
};

TEST(TrimAtNul, KeepsTheTextBeforeTheFirstNul) {
    for (const TextRow& row : kTrimRows) EXPECT_EQ(trimAtNul(row.input), row.expected) << row.name;
}

const TextRow kSeparatorRows[] = {
    {"empty", "", "/"},
    {"root", "/", "/"},
    {"folder", "/home/user", "/home/user/"},
    {"already ends in one", "/home/user/", "/home/user/"},
    {"back-slash is a name character", "dir\\", "dir\\/"},
    {"relative", "sub", "sub/"},
};

TEST(AddSeparator, EndsThePathInOneSeparator) {
    for (const TextRow& row : kSeparatorRows)
        EXPECT_EQ(addSeparator(row.input), row.expected) << row.name;
}

struct LettersRow {
    const char* name;
    std::int64_t word;
    const char* expected;
};

const LettersRow kLetterRows[] = {
    {"unreadable", -1, ""},
    {"unreadable as 32 bits", 0xFFFFFFFF, ""},
    {"none", 0, ""},
    {"archive", 0x20, "a"},
    {"hidden", 0x02, "h"},
    {"read-only", 0x01, "r"},
    {"system", 0x04, "s"},
    {"archive and read-only", 0x21, "ar"},
    {"hidden system archive", 0x26, "ahs"},
    {"all four", 0x27, "ahrs"},
    {"normal gives no letter", 0x80, ""},
    {"folder gives no letter", 0x10, ""},
    {"other bits ignored", 0x10 | 0x80 | 0x100 | 0x01, "r"},
};

TEST(AttribLetters, AreArchiveHiddenReadOnlySystemInOrder) {
    for (const LettersRow& row : kLetterRows)
        EXPECT_EQ(attribLetters(row.word), row.expected) << row.name;
}

bool setDosAttrib(const std::string& path, std::string_view value) {
    return ::setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) == 0;
}

TEST(GetAttribText, ReadsTheFileSystem) {
    test::TempDir dir;
    const std::string plain = dir.file("plain.txt");
    const std::string hidden = dir.file(".hidden");
    const std::string readOnly = dir.file("locked.txt");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    EXPECT_EQ(getAttribText(plain), "");
    EXPECT_EQ(getAttribText(hidden), "h");
    EXPECT_EQ(getAttribText(readOnly), "r");
    EXPECT_EQ(getAttribText(dir / "missing.txt"), "");
    EXPECT_EQ(getAttribText(plain + "/below-a-file"), "");
}

TEST(GetAttribText, TakesSambasWordWhenPresent) {
    test::TempDir dir;
    const std::string file = dir.file("described.txt");
    if (!setDosAttrib(file, std::string_view("0x26\0", 5)))
        GTEST_SKIP() << "file system refuses user extended attributes: " << std::strerror(errno);
    EXPECT_EQ(getAttribText(file), "ahs");
}

TEST(GetFileTime, IsTheLocalModificationTime) {
    test::TempDir dir;
    // 2007-12-03 14:30:05 UTC
    const std::string file = dir.file("dated.txt", 0, 1196692205);
    {
        test::ScopedTimeZone utc("UTC0");
        EXPECT_EQ(dateTimeText(getFileTime(file)), "2007-12-03 14:30:05");
    }
    {
        test::ScopedTimeZone east("XST-3");
        EXPECT_EQ(dateTimeText(getFileTime(file)), "2007-12-03 17:30:05");
    }
}

TEST(GetFileTime, IsZeroWhenUnreadable) {
    test::TempDir dir;
    const double missing = getFileTime(dir / "missing.txt");
    EXPECT_EQ(missing, 0.0);
    EXPECT_EQ(dateTimeText(missing), "00:00:00");
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
