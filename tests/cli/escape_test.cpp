// --escape: hostile names read back whole by Python's HTML parser and csv module; the plain form breaks both.
#include <gtest/gtest.h>

#include "cli/cli_runner.h"

namespace quillory::test {
namespace {

const std::vector<std::string> kNames = {"<script>x.html", "x\",\"y.txt", "a&b", "new\nline.txt", "plain \"q\".txt"};

// "ok" when every file row has as many cells as the header (HTML: 4) and the names are argv[3:].
constexpr const char* kCheck = R"(
import csv, sys
from html.parser import HTMLParser
class Rows(HTMLParser):
    rows, row, cell = [], None, None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr' and dict(attrs).get('class', '').lower() in ('file', 'fileodd'): self.row = []
        elif tag == 'td' and self.row is not None: self.cell = ''
    def handle_endtag(self, tag):
        if tag == 'td' and self.cell is not None: self.row.append(self.cell); self.cell = None
        elif tag == 'tr' and self.row is not None: self.rows.append(self.row); self.row = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
f = open(sys.argv[2], encoding='utf-8', newline='')
if sys.argv[1] == 'csv': rows = list(csv.reader(f)); width = len(rows[0]); rows = rows[1:]
else: p = Rows(convert_charrefs=True); p.feed(f.read()); rows = p.rows; width = 4
ok = all(len(r) == width for r in rows) and sorted(r[0] for r in rows) == sorted(sys.argv[3:])
print('ok' if ok else repr(rows))
)";

TEST(Escape, HostileNamesReadBackOnlyWhenEscaped) {
    const Cli cli;
    for (const std::string& name : kNames) cli.tree.file(name, 3);
    const struct { const char* name; bool csv, escape, readBack; } rows[] = {
        {"HTML escaped", false, true, true}, {"HTML plain", false, false, false}, {"CSV escaped", true, true, true},
        {"CSV plain", true, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string out = cli.home / "listing";
        std::vector<std::string> args{"-o", out, cli.tree.path()};
        if (row.csv) args.insert(args.begin(), "--csv");
        if (row.escape) args.insert(args.begin(), "--escape");
        const ProcessResult listed = cli(args);
        ASSERT_EQ(listed.status, 0) << listed.err;
        std::vector<std::string> check{"/usr/bin/env", "python3", "-c", kCheck, row.csv ? "csv" : "html", out};
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
