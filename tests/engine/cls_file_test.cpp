#include "engine/cls_file.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

// The sort reads keys by name: the size and the date-time as their own
// values, and no value for a name that is no property (the key of "no order
// chosen"), which leaves a list as it is.
TEST(ReadProperty, GivesOwnValuesAndNothingForOtherNames) {
    clsFile f;
    f.Name = "report.pdf";
    f.FileSize = 5368709120;
    f.DateTime = 39419.5;
    const auto size = readProperty(f, "FileSize");
    ASSERT_TRUE(size && std::holds_alternative<std::int64_t>(*size));
    EXPECT_EQ(std::get<std::int64_t>(*size), 5368709120);
    const auto date = readProperty(f, "DateTime");
    ASSERT_TRUE(date && std::holds_alternative<double>(*date));
    EXPECT_EQ(std::get<double>(*date), 39419.5);
    const auto name = readProperty(f, "Name");
    ASSERT_TRUE(name && std::holds_alternative<std::string_view>(*name));
    EXPECT_EQ(std::get<std::string_view>(*name).data(), f.Name.data()) << "not a view of the record";
    for (const char* other : {"", "Size", "Names", "DateTime ", "dtIn"})
        EXPECT_FALSE(readProperty(f, other).has_value()) << '"' << other << '"';
}

}  // namespace
}  // namespace quillory
