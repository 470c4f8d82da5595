#include "ui/auxiliary/listing_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/templates.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace quillory::ui {
namespace {

using test::TempDir;

struct Folder {
    std::string path;
    std::vector<std::string> names;
};

const std::string kPrefix = "<html><head><style>\r\n.dir{}</style></head><body>\r\n<h2>Listing of /t</h2>\r\n"
                            "<table border=\"0\" cellspacing=\"1\" cellpadding=\"3\" width=\"100%\"><tr><td><b>Name</b>"
                            "</td></tr></table>\r\n";
const std::string kTail = std::string(tpl::kTotalsStart) + "Total Files: 3, Total Folders : 1, Total Size: 0 Bytes." +
                          "</td></tr></table></body></html>";

// A listing as the report run writes it.
std::string listing(const std::vector<Folder>& folders) {
    std::string doc = kPrefix;
    for (const Folder& f : folders) {
        doc += std::string(tpl::kHeadingStart) + f.path + std::string(tpl::kHeadingEnd) + "\r\n" +
               std::string(tpl::kTableStart);
        for (std::size_t i = 0; i < f.names.size(); ++i)
            doc += std::string(i % 2 == 0 ? tpl::kOddRowStart : tpl::kEvenRowStart) + "<td width=\"35%\">" +
                   f.names[i] + "</td></tr>\r\n";
        doc += "</table>\r\n" + std::string(tpl::kTableStart) + "<tr class=\"summary\"><td>Files: " +
               std::to_string(f.names.size()) + ", Total Size: 0 Bytes.</td></tr></table><br><br>\r\n";
    }
    return doc + "\r\n" + kTail;
}

// The rows of a document, in order: a row starts a line or its table.
std::vector<std::string> rowsOf(const std::string& doc) {
    std::vector<std::string> rows;
    for (std::size_t at = doc.find("<tr class=\"file"); at != std::string::npos;
         at = doc.find("<tr class=\"file", at + 1)) {
        const std::string_view before = std::string_view(doc).substr(0, at);
        if (before.ends_with("\n") || before.ends_with(tpl::kTableStart))
            rows.push_back(doc.substr(at, doc.find("\r\n", at) - at));
    }
    return rows;
}

struct CutCase {
    const char* name;
    std::vector<Folder> folders;
    std::size_t pageRows;
    std::vector<int> rowsPerPage;
    std::vector<bool> reopened;  // the page starts inside a folder's table
};

void PrintTo(const CutCase& c, std::ostream* out) { *out << c.name; }

class ListingPagesCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(ListingPagesCut, EveryRowOnceInOrderOnCompletePages) {
    const CutCase& c = GetParam();
    TempDir dir;
    const std::string doc = listing(c.folders);
    test::writeFile(dir / "l.htm", doc);
    auto indexed = ListingPages::index(dir / "l.htm", {c.pageRows, std::uint64_t{1} << 30});
    ASSERT_TRUE(indexed) << indexed.status().message();
    const ListingPages& pages = *indexed.value();
    ASSERT_EQ(pages.pageCount(), c.rowsPerPage.size());
    std::vector<std::string> seen;
    for (std::size_t k = 0; k < pages.pageCount(); ++k) {
        SCOPED_TRACE(k);
        auto page = pages.page(k);
        ASSERT_TRUE(page);
        const std::string& text = page.value();
        EXPECT_TRUE(pages.pageCount() > 1 || text == doc);
        EXPECT_TRUE(text.starts_with(kPrefix));
        const bool last = k + 1 == pages.pageCount();
        EXPECT_TRUE(text.ends_with(last ? kTail : "</table><br><br>\r\n</body></html>") ||
                    text.ends_with("</tr>\r\n</table>\r\n</body></html>"))
            << text.substr(text.size() - std::min<std::size_t>(text.size(), 200));
        EXPECT_TRUE(c.folders.empty() || text.substr(kPrefix.size()).starts_with(tpl::kHeadingStart));
        const ListingPage& info = pages.pageInfo(k);
        EXPECT_TRUE(c.reopened.empty() || (info.headingEnd > info.headingBegin) == c.reopened[k]);
        const std::vector<std::string> rows = rowsOf(text);
        EXPECT_EQ(static_cast<int>(rows.size()), c.rowsPerPage[k]);
        EXPECT_EQ(info.firstRow, seen.size());
        seen.insert(seen.end(), rows.begin(), rows.end());
    }
    EXPECT_EQ(seen, rowsOf(doc));
    EXPECT_EQ(pages.rowCount(), seen.size());
}

const std::string kInvalidUtf8 = "caf\xe9\xff\xfe";

INSTANTIATE_TEST_SUITE_P(
    Listings, ListingPagesCut,
    ::testing::Values(
        CutCase{"BelowTheLimitOnePageTheFileItself", {{"/t", {"a", "b", "c"}}}, 5, {3}, {false}},
        CutCase{"AtFolderBlocks", {{"/t", {"a", "b"}}, {"/t/x", {"c", "d"}}, {"/t/y", {"e", "f"}}}, 2, {2, 2, 2},
                {false, false, false}},
        CutCase{"BigFolderReopenedWithItsHeading", {{"/t", {"a", "b", "c", "d", "e"}}}, 2, {2, 2, 1},
                {false, true, true}},
        CutCase{"EmptyFoldersStayInTheirPlace", {{"/t", {}}, {"/t/e", {}}, {"/t/x", {"a", "b"}}, {"/t/z", {}}}, 1,
                {1, 1, 0}, {}},
        CutCase{"HostileNames",
                {{"/t/<table>", {"<table>", "</td>", "<!--", "]]>", kInvalidUtf8, "<tr class=\"file\">x"}},
                 {"/t/<!--", {"-->", "</table></body></html>"}}},
                1, std::vector(8, 1), {}},
        CutCase{"NoFolderAtAll", {}, 1, {0}, {false}},
        // Rows shorter than what is read at a line's start: one starts just
        // before the end of the first 1 MiB read.
        CutCase{"ALineStartAcrossTheReadChunk", {{"/t", std::vector<std::string>(30000, "a")}}, 15000, {15000, 15000},
                {false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

// The search goes round from the page after `from`; the pages come from the
// file that was indexed, even after the next run replaced it; a missing file
// is an error.
TEST(ListingPages, FindsTheNextFolderGoingRoundAndKeepsTheIndexedFile) {
    TempDir dir;
    test::writeFile(dir / "l.htm", listing({{"/t", {"a", "b"}}, {"/t/Music", {"c"}}, {"/t/z", {"d", kInvalidUtf8}}}));
    auto indexed = ListingPages::index(dir / "l.htm", {2, 1 << 20});
    ASSERT_TRUE(indexed);
    const ListingPages& pages = *indexed.value();
    ASSERT_EQ(pages.pageCount(), 3u);
    const struct {
        const char* text;
        std::size_t from;
        long page;
    } rows[] = {{"music", 0, 1}, {"MUSIC", 1, 1}, {"/t/z", 2, 1}, {"/t", 0, 1}, {"nowhere", 0, -1}, {"a", 0, -1}};
    for (const auto& r : rows) EXPECT_EQ(pages.findFolder(r.text, r.from), r.page) << r.text << " from " << r.from;
    ::unlink((dir / "l.htm").c_str());
    test::writeFile(dir / "l.htm", listing({{"/t", {"new"}}}));
    const auto last = pages.page(2);
    ASSERT_TRUE(last);
    EXPECT_TRUE(last.value().find(kInvalidUtf8) != std::string::npos && last.value().find("new") == std::string::npos);
    EXPECT_EQ(ListingPages::index(dir / "none.htm", {}).status().code(), ENOENT);
}

}  // namespace
}  // namespace quillory::ui
