#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/filters.h"
#include "engine/wildcard.h"

namespace quillory {
namespace {

struct MatchRow {
    const char* row;
    std::string pattern;
    std::string text;
    bool expected;
};

void expectRows(const std::vector<MatchRow>& rows) {
    for (const MatchRow& r : rows)
        EXPECT_EQ(wildcardMatch(r.text, r.pattern), r.expected)
            << "row " << r.row << ": pattern [" << r.pattern << "] text [" << r.text << "]";
}

TEST(WildcardMatch, LiteralsAndWholeText) {
    expectRows({
        {"same text", "readme.txt", "readme.txt", true},
        {"prefix only", "readme", "readme.txt", false},
        {"text shorter", "readme.txt", "readme", false},
        {"empty pattern, empty text", "", "", true},
        {"empty pattern, text", "", "a", false},
        {"pattern, empty text", "a", "", false},
        {"blank is significant", " *.doc", "a.doc", false},
        {"blank matches blank", " *.doc", " a.doc", true},
        {"closing bracket alone", "a]b", "a]b", true},
        {"exclamation outside a list", "!a", "!a", true},
        {"hyphen outside a list", "a-b", "a-b", true},
        {"back-slash is plain", "a\\b", "a\\b", true},
    });
}

TEST(WildcardMatch, LetterCase) {
    expectRows({
        {"upper text, lower pattern", "*.txt", "A.TXT", true},
        {"lower text, upper pattern", "*.TXT", "a.txt", true},
        {"mixed", "ReadMe.*", "rEADmE.Md", true},
        {"list letters fold", "[A-C]x", "bX", true},
        {"upper range folds to lower range", "[A-Z]", "q", true},
        // Folding happens before comparing by code, so a range spanning the
        // upper-case letters no longer holds them.
        {"range over upper-case codes", "[@-_]", "A", false},
        {"range over upper-case codes keeps others", "[@-_]", "_", true},
        // Only ASCII letters fold; UTF-8 bytes of É (C3 89) and é (C3 A9) differ.
        {"non-ASCII not folded", "\xC3\x89", "\xC3\xA9", false},
        {"non-ASCII same bytes", "caf\xC3\xA9", "CAF\xC3\xA9", true},
        // Latin-1 À (C0) and à (E0) are bytes, not letters.
        {"latin-1 byte not folded", "\xC0", "\xE0", false},
    });
}

TEST(WildcardMatch, QuestionMarkAndDigit) {
    expectRows({
        {"? one char", "a?c", "abc", true},
        {"? not none", "a?c", "ac", false},
        {"? not two", "a?c", "abbc", false},
        {"? is one byte", "caf?", "caf\xC3\xA9", false},
        {"?? two bytes", "caf??", "caf\xC3\xA9", true},
        {"? matches a star", "a?", "a*", true},
        {"# digit", "file#.txt", "file1.txt", true},
        {"# letter", "file#.txt", "filea.txt", false},
        {"# two digits", "file#.txt", "file12.txt", false},
        {"# zero", "#", "0", true},
        {"# nine", "#", "9", true},
        {"# slash below zero", "#", "/", false},
        {"# colon above nine", "#", ":", false},
        {"# needs a char", "#", "", false},
    });
}

TEST(WildcardMatch, Star) {
    expectRows({
        {"star alone, empty", "*", "", true},
        {"star alone, any", "*", "anything at all", true},
        {"stars collapse", "***", "x", true},
        {"star none", "a*b", "ab", true},
        {"star many", "a*b", "a123b", true},
        {"star end mismatch", "a*b", "a123c", false},
        {"suffix", "*.txt", "a.txt", true},
        {"suffix only", "*.txt", ".txt", true},
        {"suffix wrong", "*.txt", "a.txt.bak", false},
        {"two extensions", "*.tar.*", "x.tar.gz", true},
        {"head and tail overlap not allowed", "ab*ba", "aba", false},
        {"head and tail meet", "ab*ba", "abba", true},
        {"middle leftmost", "*ab*ab", "abab", true},
        {"middle needs later place", "a*bc*d", "abxbcd", true},
        {"middle missing", "a*bc*d", "abxbd", false},
        {"middle pieces in order", "*a*b*", "xbxa", false},
        {"middle pieces in order ok", "*a*b*", "xaxb", true},
        {"middle may not eat tail", "*x*x", "xx", true},
        {"middle may not eat tail, too short", "*x*x*x", "xx", false},
        {"star then question marks", "*??", "a", false},
        {"star then question marks fit", "*??", "ab", true},
        {"star matches star", "a*", "a*", true},
    });
}

TEST(WildcardMatch, Lists) {
    expectRows({
        {"member", "[abc]", "b", true},
        {"not member", "[abc]", "d", false},
        {"one char only", "[abc]", "ab", false},
        {"range low end", "[a-f]", "a", true},
        {"range high end", "[a-f]", "f", true},
        {"range outside", "[a-f]", "g", false},
        {"digit range", "v[0-3]", "v3", true},
        {"two ranges", "[a-cx-z]", "y", true},
        {"negated member", "[!abc]", "b", false},
        {"negated other", "[!abc]", "d", true},
        {"negated range", "[!0-9]x", "5x", false},
        {"negated needs a char", "[!a]", "", false},
        {"hyphen first", "[-a]", "-", true},
        {"hyphen last", "[a-]", "-", true},
        {"hyphen last, letter", "[a-]", "a", true},
        {"hyphen last, between", "[a-]", "b", false},
        {"hyphen after negation", "[!-a]", "-", false},
        {"hyphen after negation, other", "[!-a]", "b", true},
        {"hyphen after a range stands for itself", "[a-c-e]", "-", true},
        {"hyphen after a range, no second range", "[a-c-e]", "d", false},
        {"hyphen as range end", "[!--/]", ".", false},
        {"list of one hyphen", "[-]", "-", true},
        {"bracketed hash", "[#]", "#", true},
        {"bracketed hash not digit", "[#]", "1", false},
        {"bracketed star", "a[*]", "a*", true},
        {"bracketed star not run", "a[*]", "ab", false},
        {"bracketed question", "[?]", "?", true},
        {"bracketed question not any", "[?]", "x", false},
        {"bracketed open bracket", "[[]x", "[x", true},
        {"exclamation not first", "[a!]", "!", true},
        {"reversed range holds nothing", "[z-a]", "m", false},
        {"reversed range not its ends", "[z-a]", "a", false},
        {"negated reversed range", "[!z-a]", "m", true},
        {"bytes above 127 by code", "[\x80-\xFF]", "\xC3", true},
        {"bytes above 127 outside range", "[\x80-\xBF]", "\xC3", false},
        {"negated holds high bytes", "[!a]", "\xFF", true},
        {"file name range", "data[0-9][0-9].csv", "data42.csv", true},
    });
}

TEST(WildcardMatch, DefinedReadingsOfOddPatterns) {
    expectRows({
        {"unclosed bracket is literal", "a[b", "a[b", true},
        {"unclosed bracket not a list", "a[b", "ab", false},
        {"unclosed bracket, star still works", "[*", "[xyz", true},
        {"unclosed negated bracket", "[!a", "[!a", true},
        {"lone bracket", "[", "[", true},
        {"empty list matches nothing", "a[]b", "ab", false},
        {"empty list, no char either", "a[]b", "axb", false},
        {"empty list then bracket", "[]]", "]", false},
        {"empty negated list is any char", "a[!]b", "axb", true},
        {"empty negated list needs a char", "a[!]b", "ab", false},
        {"close after open is taken", "[[]", "[", true},
        {"later bracket closes", "[ab*]", "*", true},
        {"many opens then close", "[[[[a]", "a", true},
    });
}

// Patterns that would make a recursive or naively backtracking matcher run for
// a very long time; results only (durations are measured in the benchmarks).
TEST(WildcardMatch, HostilePatternsGiveDefinedResults) {
    const std::string manyStars(10000, '*');
    const std::string longName(10000, 'a');
    std::string starA;  // "*a*a*a...*b"
    for (int i = 0; i < 5000; ++i) starA += "*a";
    const std::string starAB = starA + "*b";
    std::string questions(9999, '?');

    struct Row {
        const char* row;
        std::string pattern;
        std::string text;
        bool expected;
    };
    const Row rows[] = {
        {"10000 stars, 10000 chars", manyStars, longName, true},
        {"10000 stars then b", manyStars + "b", longName, false},
        {"star a repeated, b missing", starAB, longName, false},
        {"star a repeated, b at end", starAB, longName + "b", true},
        {"star a repeated, too few a", starA, std::string(4999, 'a'), false},
        {"question marks one short", questions, longName, false},
        {"question marks exact", questions + "?", longName, true},
        {"10000 open brackets", std::string(10000, '['), std::string(10000, '['), true},
        {"10000 open brackets then close", std::string(10000, '[') + "]", "[", true},
        {"long list", "[" + longName + "]", "a", true},
    };
    for (const Row& r : rows) EXPECT_EQ(wildcardMatch(r.text, r.pattern), r.expected) << "row " << r.row;
}

TEST(WildcardPattern, CompiledPatternMatchesRepeatedly) {
    const WildcardPattern pattern("*.TXT");
    EXPECT_TRUE(pattern.matches("a.txt"));
    EXPECT_FALSE(pattern.matches("a.doc"));
    EXPECT_TRUE(pattern.matches("B.Txt"));
}

TEST(WildcardPattern, OnlyStarsMatchEverything) {
    struct Row {
        const char* row;
        const char* pattern;
        bool everything;
    };
    const Row rows[] = {
        {"one star", "*", true},
        {"three stars", "***", true},
        {"empty", "", false},
        {"star dot star", "*.*", false},
        {"bracketed star", "[*]", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(WildcardPattern(r.pattern).matchesEverything(), r.everything) << "row " << r.row;
}

TEST(SplitPatterns, LiteralSplit) {
    struct Row {
        const char* row;
        std::string list;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"empty text has no patterns", "", {}},
        {"one pattern", "*.txt", {"*.txt"}},
        {"two patterns", "*.txt;*.doc", {"*.txt", "*.doc"}},
        {"blank kept", "*.txt; *.doc", {"*.txt", " *.doc"}},
        {"trailing semicolon gives empty pattern", "a;", {"a", ""}},
        {"leading semicolon", ";a", {"", "a"}},
        {"lone semicolon", ";", {"", ""}},
        {"double semicolon", "a;;b", {"a", "", "b"}},
        {"blank only", " ", {" "}},
        {"brackets are not special", "[a;b]", {"[a", "b]"}},
    };
    for (const Row& r : rows) EXPECT_EQ(splitPatterns(r.list), r.expected) << "row " << r.row;
}

}  // namespace
}  // namespace quillory
