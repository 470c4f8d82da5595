#include "platform/file_attributes.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace quillory {
namespace {

using namespace std::string_literals;

// Samba's binary record: text, NUL, padding to 2, version, version again,
// padding to 4, then the fields of that version.
std::string record(const std::string& text, std::uint16_t version,
                   std::initializer_list<std::uint32_t> fields) {
    std::string out = text + '\0';
    while (out.size() % 2) out.push_back('\0');
    for (int i = 0; i < 2; ++i) {
        out.push_back(static_cast<char>(version & 0xFF));
        out.push_back(static_cast<char>(version >> 8));
    }
    while (out.size() % 4) out.push_back('\0');
    for (std::uint32_t f : fields)
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((f >> (8 * b)) & 0xFF));
    // Sizes and times that follow the word.
    out.append(24, '\0');
    return out;
}

TEST(DecodeDosAttrib, ReadsTheTextAndTheRecord) {
    const struct { const char* name; std::string value; std::optional<std::uint32_t> expected; } rows[] = {
        {"text form with NUL", "0x20\0"s, 0x20}, {"upper-case hex", "0X1A", 0x1A},
        {"eight hex digits", "0xFFFFFFFF", 0xFFFFFFFF}, {"no prefix", "20", std::nullopt},
        {"not hex", "0xZZ", std::nullopt}, {"too long", "0x123456789", std::nullopt},
        {"version 3 record without text", record("", 3, {0x01, 0x26}), 0x26},
        {"record wins over its text", record("0x20", 3, {0x01, 0x21}), 0x21},
        {"version 4 record", record("", 4, {0x41, 0x04}), 0x04},
        {"record says the word is not valid", record("0x10", 5, {0x10, 0x02}), 0x10},
        {"version 1 record", record("", 1, {0x20}), 0x20},
        {"unknown version falls back to the text", record("0x20", 9, {0x01, 0x02}), 0x20},
        {"version tags disagree", "0x20\0\0\3\0\4\0\0\0\1\0\0\0\2\0\0\0"s, 0x20},
        {"cut-off record", "\0\0\3\0\3\0\0\0\1\0"s, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(decodeDosAttrib(row.value), row.expected) << row.name;
}

TEST(ReadAttributeWord, FoldersLinksAndPathsThatCannotBeExamined) {
    test::TempDir dir;
    const std::string folder = dir.folder(".git");
    EXPECT_EQ(readAttributeWord(folder + "/"), kHiddenAttribute);
    const std::string link = dir / ".dangling";
    ASSERT_EQ(::symlink((dir / "nowhere").c_str(), link.c_str()), 0);
    EXPECT_EQ(readAttributeWord(link), kHiddenAttribute);
    EXPECT_EQ(readAttributeWord(dir / "missing.txt"), -1);
    EXPECT_EQ(readAttributeWord(dir.file("file.txt") + "/under-a-file"), -1);
}

}  // namespace
}  // namespace quillory
