#include <gtest/gtest.h>

#include <random>

#include "engine/folder_files.h"
#include "engine/templates.h"

namespace quillory::test {
namespace {

// The rule written out the long way: every placeholder replaced, in order, in
// the result of the step before.
std::string byTheRule(std::string text, const clsFile& f, const std::string* folder, bool quoted,
                      const std::string& dateText) {
    auto q = [&](const std::string& v) { return quoted ? "\"" + v + "\"" : v; };
    auto replace = [&](std::string_view ph, const std::string& value) {
        std::string out;
        std::size_t from = 0;
        for (std::size_t at; (at = text.find(ph, from)) != std::string::npos; from = at + ph.size())
            out += text.substr(from, at - from) + value;
        text = out + text.substr(from);
    };
    replace(tpl::kName, q(f.Name));
    if (folder) replace(tpl::kFolder, q(*folder));
    replace(tpl::kType, q(f.FileType));
    replace(tpl::kSize, q(f.FileSizeStr));
    replace(tpl::kDate, q(dateText));
    replace(tpl::kExt, q(f.FileExt));
    replace(tpl::kAttrib, q(f.FileAttr));
    return text;
}

// Names built from placeholder pieces, hashes and plain letters, against every
// row and line template the listing can build.
TEST(RowTemplate, FillsLikeTheRuleForHostileNames) {
    const char* pieces[] = {"##", "#", "NAME", "TYPE", "SIZE", "DATE", "EXT", "ATTRIB", "FOL", "a", ".", "\""};
    std::mt19937 random(11);
    auto hostile = [&] {
        std::string s;
        const int n = static_cast<int>(random() % 7);
        for (int i = 0; i < n; ++i) s += pieces[random() % std::size(pieces)];
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        const bool csv = round % 2 == 1;
        std::string text;
        if (csv) {
            for (const auto& column : tpl::kCsvColumns)
                if (column.column < 0 || random() % 2) text += std::string(column.placeholder) + ",";
            text.pop_back();
        } else {
            for (const auto& column : tpl::kColumns)
                if (random() % 2) text += column.rowCell;
        }
        clsFile f;
        f.Name = hostile();
        f.FileType = hostile();
        f.FileExt = hostile();
        f.FileSizeStr = "12 Bytes";
        f.FileAttr = "ah";
        f.DateTime = 0;  // its text is the time alone
        const std::string folder = "/d" + hostile() + "/";
        std::string rendered;
        RowTemplate(text, csv).render(rendered, f, csv ? &folder : nullptr, true);
        ASSERT_EQ(rendered, byTheRule(text, f, csv ? &folder : nullptr, csv, "00:00:00"))
            << "round " << round << " name " << f.Name << " type " << f.FileType << " template " << text;
    }
}

}  // namespace
}  // namespace quillory::test
