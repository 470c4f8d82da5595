#include <gtest/gtest.h>

#include "support/temp_store.h"

namespace quillory {
namespace {

TEST(SettingsStoreSmoke, WritesAndReadsBack) {
    test::TempStore t;
    EXPECT_EQ(t.store.ReadSetting("Tallyfold", "Filter", "FileInclude", "*"), "*");
    EXPECT_TRUE(t.store.WriteSetting("Tallyfold", "Filter", "FileTimeTo", "x"));
    EXPECT_EQ(t.store.ReadSetting("tallyfold", "filter", "FileTimeto", "d"), "x");
}

}  // namespace
}  // namespace quillory
