#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/filters.h"

namespace quillory {
namespace {

struct MatchRow {
    const char* name;
    std::string pattern;
    std::string text;
    bool expected;
};

void expectRows(const std::vector<MatchRow>& rows) {
    for (const MatchRow& r : rows)
        EXPECT_EQ(wildcardMatch(r.text, r.pattern), r.expected)
            << r.name << ": pattern [" << r.pattern.substr(0, 40) << "] text [" << r.text.substr(0, 40) << "]";
}

TEST(WildcardMatch, WholeTextWithoutCase) {
    expectRows({
        {"empty pattern, empty text", "", "", true},
        {"blank is significant", " *.doc", "a.doc", false},
        {"back-slash is plain", "a\\b", "a\\b", true},
        {"upper text, lower pattern", "*.txt", "A.TXT", true},
        {"list letters fold", "[A-C]x", "bX", true},
        // Folding happens before comparing by code, so a range spanning the
        // upper-case letters no longer holds them.
        {"range over upper-case codes", "[@-_]", "A", false},
        // Only ASCII letters fold; UTF-8 bytes of É (C3 89) and é (C3 A9) differ.
        {"non-ASCII not folded", "\xC3\x89", "\xC3\xA9", false},
        {"? is one byte", "caf?", "caf\xC3\xA9", false},
        {"? matches a star", "a?", "a*", true},
        {"# letter", "file#.txt", "filea.txt", false},
        {"# slash below zero", "#", "/", false},
        {"star alone, empty", "*", "", true},
        {"suffix wrong", "*.txt", "a.txt.bak", false},
        {"head and tail overlap not allowed", "ab*ba", "aba", false},
        {"middle needs later place", "a*bc*d", "abxbcd", true},
        {"middle may not eat tail, too short", "*x*x*x", "xx", false},
        {"star then question marks", "*??", "a", false},
    });
}

TEST(WildcardMatch, Lists) {
    expectRows({
        {"range high end", "[a-f]", "f", true},
        {"negated member", "[!abc]", "b", false},
        {"negated needs a char", "[!a]", "", false},
        {"hyphen last", "[a-]", "-", true},
        {"hyphen after a range stands for itself", "[a-c-e]", "-", true},
        {"hyphen as range end", "[!--/]", ".", false},
        {"bracketed hash not digit", "[#]", "1", false},
        {"bracketed star not run", "a[*]", "ab", false},
        {"reversed range holds nothing", "[z-a]", "m", false},
        {"bytes above 127 by code", "[\x80-\xFF]", "\xC3", true},
        {"unclosed bracket is literal", "a[b", "a[b", true},
        {"empty list matches nothing", "a[]b", "ab", false},
        {"empty negated list is any char", "a[!]b", "axb", true},
        {"later bracket closes", "[ab*]", "*", true},
    });
}

// Patterns that would make a recursive or naively backtracking matcher run for
// a very long time; results only (durations are measured in the benchmarks).
TEST(WildcardMatch, HostilePatternsGiveDefinedResults) {
    const std::string longName(10000, 'a');
    std::string starAB;  // "*a*a*a...*b"
    for (int i = 0; i < 5000; ++i) starAB += "*a";
    starAB += "*b";
    expectRows({
        {"10000 stars, 10000 chars", std::string(10000, '*'), longName, true},
        {"star a repeated, b missing", starAB, longName, false},
        {"star a repeated, b at end", starAB, longName + "b", true},
        {"10000 open brackets", std::string(10000, '['), std::string(10000, '['), true},
        {"long list", "[" + longName + "]", "a", true},
    });
}

}  // namespace
}  // namespace quillory
