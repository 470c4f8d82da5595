#include "net/drive_letters.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

TEST(DriveLetters, FreeLettersAreTheUnusedOnesFromCToZ) {
    const struct {
        const char* name;
        std::string_view used;
        std::string_view free;
    } rows[] = {
        {"C D E present", "CDE", "FGHIJKLMNOPQRSTUVWXYZ"},
        {"C and G present", "CG", "DEFHIJKLMNOPQRSTUVWXYZ"},
        {"a floppy changes nothing", "ACG", "DEFHIJKLMNOPQRSTUVWXYZ"},
        {"every letter taken", "CDEFGHIJKLMNOPQRSTUVWXYZ", ""},
    };
    for (const auto& row : rows) {
        DriveLetters used;
        for (const char letter : row.used) used.insert(letter);
        EXPECT_EQ(used.text(), row.used) << row.name;
        const std::vector<char> free = freeDriveLetters(used);
        EXPECT_EQ(std::string(free.begin(), free.end()), row.free) << row.name;
    }
    EXPECT_EQ(freeDriveLetters({}).size(), 24u) << "no letter in use leaves every letter free";
}

TEST(DriveLetters, FoldersOnADriveLetter) {
    const struct {
        const char* folder;
        const char* rest;  // null: not on a drive letter
    } rows[] = {
        {"z:\\", ""}, {"Z:", ""}, {"Z:/sub", "sub"}, {"Z:\\a\\\\b/c\\", "a/b/c"},
        {"Z:sub", nullptr}, {"ZZ:\\", nullptr}, {"1:\\", nullptr}, {"\\\\host\\share", nullptr}, {"", nullptr},
    };
    for (const auto& row : rows) {
        const auto path = parseDrivePath(row.folder);
        ASSERT_EQ(path.has_value(), row.rest != nullptr) << row.folder;
        EXPECT_EQ(path ? path->rest : "", row.rest ? row.rest : "") << row.folder;
    }
}

}  // namespace
}  // namespace quillory
