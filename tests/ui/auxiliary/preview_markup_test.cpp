#include "ui/auxiliary/preview_markup.h"

#include <gtest/gtest.h>

namespace quillory::ui {
namespace {

struct MarkupCase {
    const char* name;
    const char* serialized;
    const char* inner;
};

void PrintTo(const MarkupCase& row, std::ostream* out) { *out << row.name; }

class RootInnerHtml : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(RootInnerHtml, KeepsWhatIsBetweenTheRootTags) {
    EXPECT_EQ(rootInnerHtml(QString::fromUtf8(GetParam().serialized)).toStdString(), GetParam().inner);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RootInnerHtml,
    ::testing::Values(
        MarkupCase{"Plain", "<html><head></head><body>a</body></html>", "<head></head><body>a</body>"},
        MarkupCase{"DocumentTypeAndComment", "<!DOCTYPE html><!-- x --><html><body>b</body></html>", "<body>b</body>"},
        MarkupCase{"RootAttributes", "<html lang=\"en\" data-x=\"a>b\"><body>c</body></html>", "<body>c</body>"},
        MarkupCase{"EndTagTextInsideKept", "<html><body>&lt;/html&gt; </html>x</body></html>",
                   "<body>&lt;/html&gt; </html>x</body>"},
        MarkupCase{"UpperCase", "<HTML><BODY>d</BODY></HTML>", "<BODY>d</BODY>"},
        MarkupCase{"NoRoot", "just text", "just text"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillory::ui
