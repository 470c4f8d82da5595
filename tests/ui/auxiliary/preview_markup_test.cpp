#include "ui/auxiliary/preview_markup.h"

#include <gtest/gtest.h>

namespace quillory::ui {
namespace {

TEST(RootInnerHtml, KeepsWhatIsBetweenTheRootTags) {
    const struct {
        const char* name;
        const char* serialized;
        const char* inner;
    } rows[] = {
        {"Plain", "<html><head></head><body>a</body></html>", "<head></head><body>a</body>"},
        {"DocumentTypeAndComment", "<!DOCTYPE html><!-- x --><html><body>b</body></html>", "<body>b</body>"},
        {"RootAttributes", "<html lang=\"en\" data-x=\"a>b\"><body>c</body></html>", "<body>c</body>"},
        {"EndTagTextInsideKept", "<html><body>&lt;/html&gt; </html>x</body></html>",
         "<body>&lt;/html&gt; </html>x</body>"},
        {"UpperCase", "<HTML><BODY>d</BODY></HTML>", "<BODY>d</BODY>"},
        {"NoRoot", "just text", "just text"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(rootInnerHtml(QString::fromUtf8(row.serialized)).toStdString(), row.inner) << row.name;
}

}  // namespace
}  // namespace quillory::ui
