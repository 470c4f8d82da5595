#include "ui/auxiliary/drive_letters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillory::ui {
namespace {

std::vector<char> letters(std::string_view text) { return {text.begin(), text.end()}; }

TEST(DriveLetters, FreeLettersAreTheUnusedOnesFromCToZ) {
    struct Row {
        const char* name;
        std::vector<char> used;
        std::string free;
    };
    const Row rows[] = {
        {"C D E present", letters("CDE"), "FGHIJKLMNOPQRSTUVWXYZ"},
        {"C and G present", letters("CG"), "DEFHIJKLMNOPQRSTUVWXYZ"},
        {"a floppy changes nothing", letters("ACG"), "DEFHIJKLMNOPQRSTUVWXYZ"},
        {"every letter taken", letters("CDEFGHIJKLMNOPQRSTUVWXYZ"), ""},
        {"nothing in use", {}, "CDEFGHIJKLMNOPQRSTUVWXYZ"},
    };
    for (const Row& row : rows) {
        const std::vector<char> free = freeDriveLetters(makeDriveStrings(row.used));
        EXPECT_EQ(std::string(free.begin(), free.end()), row.free) << row.name;
    }
    EXPECT_EQ(freeDriveLetters("").size(), 24u) << "unreadable roots";
}

TEST(DriveLetters, DriveStringsHoldOneRootPerLetterAndAClosingNul) {
    using namespace std::string_literals;
    EXPECT_EQ(makeDriveStrings({'C', 'F'}), "C:\\\0F:\\\0\0"s);
    EXPECT_EQ(usedDriveLetters("C:\\\0F:\\\0\0"s), letters("CF"));
}

TEST(DriveLetters, FoldersOnADriveLetter) {
    struct Row {
        const char* folder;
        bool onDrive;
        char letter;
        const char* rest;
    };
    const Row rows[] = {
        {"Z:\\", true, 'Z', ""},
        {"z:\\", true, 'z', ""},
        {"Z:", true, 'Z', ""},
        {"Z:/sub", true, 'Z', "sub"},
        {"Z:\\a\\\\b\\", true, 'Z', "a/b"},
        {"Z:\\a/b", true, 'Z', "a/b"},
        {"Z:sub", false, 0, ""},
        {"ZZ:\\", false, 0, ""},
        {"1:\\", false, 0, ""},
        {"/tmp", false, 0, ""},
        {"\\\\host\\share", false, 0, ""},
        {"", false, 0, ""},
    };
    for (const Row& row : rows) {
        const auto path = parseDrivePath(row.folder);
        ASSERT_EQ(path.has_value(), row.onDrive) << row.folder;
        if (!path) continue;
        EXPECT_EQ(path->letter, row.letter) << row.folder;
        EXPECT_EQ(path->rest, row.rest) << row.folder;
    }
}

}  // namespace
}  // namespace quillory::ui
