#include "engine/cls_file.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

clsFile sampleFile() {
    clsFile f;
    f.Name = "report.pdf";
    f.FullyQualifiedName = "/data/report.pdf";
    f.DateTime = 39419.5;
    f.FileType = "PDF document";
    f.FileSize = 5368709120;
    f.FileSizeStr = "5.0 GB";
    f.FileExt = "pdf";
    f.FileAttr = "ar";
    return f;
}

struct TextPropertyRow {
    const char* name;
    const char* property;
    std::string clsFile::*member;
};

const TextPropertyRow kTextRows[] = {
    {"name", "Name", &clsFile::Name},
    {"full name", "FullyQualifiedName", &clsFile::FullyQualifiedName},
    {"type", "FileType", &clsFile::FileType},
    {"size text", "FileSizeStr", &clsFile::FileSizeStr},
    {"extension", "FileExt", &clsFile::FileExt},
    {"attributes", "FileAttr", &clsFile::FileAttr},
    {"name without case", "nAME", &clsFile::Name},
    {"extension lower case", "fileext", &clsFile::FileExt},
};

TEST(ReadProperty, GivesTheRecordsOwnText) {
    const clsFile f = sampleFile();
    for (const TextPropertyRow& row : kTextRows) {
        const auto value = readProperty(f, row.property);
        ASSERT_TRUE(value.has_value()) << row.name;
        ASSERT_TRUE(std::holds_alternative<std::string_view>(*value)) << row.name;
        const std::string_view text = std::get<std::string_view>(*value);
        EXPECT_EQ(text, f.*row.member) << row.name;
        EXPECT_EQ(text.data(), (f.*row.member).data()) << row.name << ": not a view of the record";
    }
}

TEST(ReadProperty, GivesTheSizeAsANumber) {
    const auto value = readProperty(sampleFile(), "FileSize");
    ASSERT_TRUE(value && std::holds_alternative<std::int64_t>(*value));
    EXPECT_EQ(std::get<std::int64_t>(*value), 5368709120);
}

TEST(ReadProperty, GivesTheDateTimeAsADateTime) {
    const auto value = readProperty(sampleFile(), "DateTime");
    ASSERT_TRUE(value && std::holds_alternative<double>(*value));
    EXPECT_EQ(std::get<double>(*value), 39419.5);
}

TEST(ReadProperty, KnowsNoOtherName) {
    const clsFile f = sampleFile();
    for (const char* name : {"", "Size", "File", "Names", "DateTime ", "FileSizeStrX", "dtIn"})
        EXPECT_FALSE(readProperty(f, name).has_value()) << '"' << name << '"';
}

}  // namespace
}  // namespace quillory
