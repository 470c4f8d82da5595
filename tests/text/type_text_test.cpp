#include "text/type_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quillory {
namespace {

// Names built to trip a memo keyed by too little: the same suffix behind a
// literal name (Makefile.txt), a prefix pattern (README.txt), a stem that a
// pattern straddles (notes.txt~), case-sensitive patterns (.C and .c), leading
// dots, several dots and bytes that are not UTF-8.
std::vector<std::string> trickyNames() {
    const std::vector<std::string> stems = {
        "a", "", "Makefile", "makefile", "README", "readme", "READMEs", "core", "COPYING", "CMakeLists", "123",
        "\xC3", "\xFF\xFE", "caf\xC3\xA9", "a.b", ".", "..",
    };
    const std::vector<std::string> suffixes = {
        "", ".txt", ".TXT", ".tar.gz", ".Tar.GZ", ".gz", ".c", ".C", ".qqzz", ".", "..", ".vdr", ".so.1", ".1", ".txt~",
        "~", ".bak%", ",v", ".JPG", ".html", ".in", ".am", ".\xC3", ".tgz", ".PDF", ".profile",
    };
    std::vector<std::string> names;
    for (const std::string& stem : stems)
        for (const std::string& suffix : suffixes) names.push_back(stem + suffix);
    for (const char* literal : {"makefile", "Makefile.am", "SConstruct", "meson_options.txt", "CMakeLists.txt",
                                "project.godot", "gmon.out", "001.vdr", "1234.vdr", "abc.vdr", "RMAIL", "dicomdir",
                                "core.1234"})
        names.push_back(literal);
    return names;
}

TEST(TypeTextForName, MemoAgreesWithTheDatabaseAcrossThreads) {
    const std::vector<std::string> names = trickyNames();
    std::vector<std::string> expected;
    for (const std::string& name : names) expected.push_back(typeTextUncached(name));
    // The names must tell types apart, or agreement proves nothing.
    EXPECT_GT(std::set<std::string>(expected.begin(), expected.end()).size(), 20u);
    std::vector<std::string> wrong(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (std::size_t k = 0; k < names.size(); ++k) {
                const std::size_t i = (k * 7 + t * 13) % names.size();
                if (typeTextForName(names[i]) != expected[i] && wrong[t].empty()) wrong[t] = '"' + names[i] + '"';
            }
        });
    for (std::thread& thread : threads) thread.join();
    for (const std::string& name : wrong) EXPECT_EQ(name, "") << "first name answered wrongly";
    // The texts this program makes itself.
    EXPECT_EQ(typeTextForName("data.qqzz") + "|" + typeTextForName("x.QqZz9") + "|" + typeTextForName("nothingknown") +
                  "|" + typeTextForName(""),
              "QQZZ File|QQZZ9 File|File|");
}

}  // namespace
}  // namespace quillory
