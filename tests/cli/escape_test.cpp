// --escape: hostile names read back whole by a real HTML parser and by
// Python's csv module; without it they break both, as the plain form must.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "support/golden.h"

namespace quillory::test {
namespace {

const std::vector<std::string> kNames = {"<script>x.html", "x\",\"y.txt", "a&b", "new\nline.txt", "plain \"q\".txt"};

// Prints "ok" when every file row has the cells of the header and the names
// read back are exactly argv[2:].
constexpr const char* kHtmlCheck = R"(
import sys
from html.parser import HTMLParser
class Rows(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.row, self.cell = [], None, None
    def handle_starttag(self, tag, attrs):
        cls = dict(attrs).get('class', '')
        if tag == 'tr' and cls.lower() in ('file', 'fileodd'): self.row = []
        elif tag == 'td' and self.row is not None: self.cell = ''
    def handle_endtag(self, tag):
        if tag == 'td' and self.cell is not None: self.row.append(self.cell); self.cell = None
        elif tag == 'tr' and self.row is not None: self.rows.append(self.row); self.row = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
p = Rows(); p.feed(open(sys.argv[1], encoding='utf-8', newline='').read())
names = sorted(r[0] for r in p.rows)
print('ok' if all(len(r) == 4 for r in p.rows) and names == sorted(sys.argv[2:]) else repr(p.rows))
)";

constexpr const char* kCsvCheck = R"(
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding='utf-8', newline='')))
names = sorted(r[0] for r in rows[1:])
print('ok' if all(len(r) == len(rows[0]) for r in rows) and names == sorted(sys.argv[2:]) else repr(rows))
)";

struct EscapeRow {
    const char* name;
    bool csv;
    bool escape;
    bool readBack;
};

TEST(Escape, HostileNamesReadBackOnlyWhenEscaped) {
    const Cli cli;
    for (const std::string& name : kNames) cli.tree.file(name, 3);
    const EscapeRow rows[] = {
        {"HTML escaped", false, true, true},
        {"HTML plain", false, false, false},
        {"CSV escaped", true, true, true},
        {"CSV plain", true, false, false},
    };
    for (const EscapeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string out = cli.home / "listing";
        std::vector<std::string> args{"-o", out, cli.tree.path()};
        if (row.csv) args.insert(args.begin(), "--csv");
        if (row.escape) args.insert(args.begin(), "--escape");
        const ProcessResult listed = cli(args);
        ASSERT_EQ(listed.status, 0) << listed.err;
        std::vector<std::string> check{"/usr/bin/env", "python3", "-c", row.csv ? kCsvCheck : kHtmlCheck, out};
        check.insert(check.end(), kNames.begin(), kNames.end());
        const ProcessResult parsed = runProcess(check);
        ASSERT_EQ(parsed.status, 0) << parsed.err;
        EXPECT_EQ(parsed.out == "ok\n", row.readBack) << parsed.out;
        if (row.escape && !row.csv) {
            EXPECT_NE(readFile(out).find("<meta charset=\"utf-8\">"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace quillory::test
