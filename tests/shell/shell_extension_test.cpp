// Adding, testing and removing the verb: each file manager's file once, other actions left as they were, the
// command compared without case, and the failure when a file cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "shell/shell_extension.h"
#include "verb_home.h"

namespace quillory::shell {
namespace {

const QString kProgram = "/opt/Quillory Tools/quillory";

// Another user's actions, in the shapes Thunar and people write them.
const char kOtherThunarActions[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- kept by hand -->\n<actions>\n<action>\n"
    "\t<icon>utilities-terminal</icon>\n\t<name>Open Terminal Here</name>\n\t<unique-id>1-1</unique-id>\n"
    "\t<command>exo-open --working-directory %f --launch TerminalEmulator</command>\n\t<patterns>*</patterns>\n"
    "\t<startup-notify/>\n\t<directories/>\n</action>\n"
    "  <action><name>Zip &amp; mail</name><command>zip -r %n.zip %N</command><patterns>*</patterns>"
    "<other-files/></action>\n</actions>\n";

class ShellExtension : public ::testing::Test {
protected:
    void set(bool add, const QString& program = kProgram) {
        Status status = setShellExtension(add, program);
        if (!status) m_failures.push_back(std::move(status));
    }
    size_t verbsInThunar() const {
        const std::string text = test::readFile(m_home.thunar()), name = "<name>Print listing with Quillory</name>";
        size_t count = 0;
        for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) ++count;
        return count;
    }
    static void put(const std::string& path, const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test::writeFile(path, text);
    }
    // No file of the verb's own is left, nor its entry in Thunar's.
    void expectRemoved() const {
        for (const auto& file : {m_home.nemo(), m_home.dolphin(), m_home.nautilus()})
            EXPECT_FALSE(std::filesystem::exists(file)) << file;
        EXPECT_EQ(verbsInThunar(), 0u);
    }

    test::VerbHome m_home;
    std::vector<Status> m_failures;
};

// A new Thunar file starts from the system's default actions; added twice, the verb is there once.
TEST_F(ShellExtension, RemovingLeavesEveryOtherActionAsItWas) {
    const std::vector<std::pair<std::string, std::string>> others = {
        {m_home.system("Thunar/uca.xml"), kOtherThunarActions},
        {m_home.data("nemo/actions/other.nemo_action"), "[Nemo Action]\nName=Other\nExec=other %F\n"},
        {m_home.data("kio/servicemenus/other.desktop"), "[Desktop Entry]\nType=Service\n"},
        {m_home.data("nautilus/scripts/Other script"), "#!/bin/sh\nexec other \"$@\"\n"},
    };
    for (const auto& [path, text] : others) put(path, text);
    set(true);
    set(true);
    EXPECT_EQ(verbsInThunar(), 1u);
    EXPECT_NE(test::readFile(m_home.thunar()).find("<name>Open Terminal Here</name>"), std::string::npos);
    EXPECT_TRUE(isShellExtensionSet(kProgram));
    set(false);
    for (const auto& [path, text] : others) EXPECT_EQ(test::readFile(path), text) << path;
    EXPECT_EQ(test::readFile(m_home.thunar()), kOtherThunarActions);
    expectRemoved();
    EXPECT_FALSE(isShellExtensionSet(kProgram));
}

TEST_F(ShellExtension, ThunarFilesOfEveryShapeGetOneEntryAndGetBackTheirBytes) {
    const struct { const char* name; std::string text, afterRemoval; /* empty: the text */ } rows[] = {
        {"EmptyRoot", "<?xml version=\"1.0\"?>\n<actions/>\n", "<?xml version=\"1.0\"?>\n<actions>\n</actions>\n"},
        {"OneLine", "<actions></actions>", "<actions>\n</actions>"},
        {"CrLf", "<?xml version=\"1.0\"?>\r\n<actions>\r\n<action><name>A</name></action>\r\n</actions>\r\n", ""},
        {"ByteOrderMark", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<actions>\n</actions>\n", ""},
        {"Indented", "<actions>\n  <action>\n    <name>A</name>\n  </action>\n</actions>", ""},
        {"OthersActions", kOtherThunarActions, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        put(m_home.thunar(), row.text);
        set(true);
        EXPECT_EQ(verbsInThunar(), 1u);
        EXPECT_TRUE(isShellExtensionSet(kProgram));
        set(false);
        EXPECT_EQ(test::readFile(m_home.thunar()), row.afterRemoval.empty() ? row.text : row.afterRemoval);
    }
    EXPECT_TRUE(m_failures.empty());
}

// Removed when never added, nothing is touched. Present only when every file is there, unchanged, and runs
// this program (without case); a copy of another program's is removed all the same.
TEST_F(ShellExtension, PresentOnlyWhenEveryFileRunsThisProgram) {
    set(false);
    EXPECT_TRUE(std::filesystem::is_empty(m_home.dir() / "home"));
    set(true, "/OPT/quillory tools/QUILLORY");
    EXPECT_TRUE(isShellExtensionSet(kProgram));
    std::filesystem::remove(m_home.nautilus());
    EXPECT_FALSE(isShellExtensionSet(kProgram));
    set(true);
    namespace fs = std::filesystem;
    fs::permissions(m_home.dolphin(), fs::perms::owner_exec, fs::perm_options::remove);
    EXPECT_FALSE(isShellExtensionSet(kProgram));
    set(true, "/home/someone/old/quillory");
    EXPECT_FALSE(isShellExtensionSet(kProgram));
    set(false);
    expectRemoved();
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(ShellExtension, AFileThatCannotBeWrittenFailsOnceWithTheErrorText) {
    // A file where a folder must go: refused even to root.
    test::writeFile(m_home.dir() / "home/data", "not a folder");
    set(true);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_TRUE(m_failures[0].code() == ENOTDIR || m_failures[0].code() == EEXIST) << m_failures[0].code();
    EXPECT_EQ(m_failures[0].message(), "An unknown error has occured.\nApplication could not write to registry.");
    EXPECT_FALSE(isShellExtensionSet(kProgram));
}

TEST_F(ShellExtension, AThunarFileThatIsNotAnActionListIsLeftAloneAndReported) {
    const std::string broken = "<actions>\n<action><name>Half</name>\n";
    put(m_home.thunar(), broken);
    set(true);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0].code(), EINVAL);
    EXPECT_EQ(test::readFile(m_home.thunar()), broken);
    set(false);
    EXPECT_EQ(test::readFile(m_home.thunar()), broken);
    EXPECT_EQ(m_failures.size(), 1u);
}

}  // namespace
}  // namespace quillory::shell
