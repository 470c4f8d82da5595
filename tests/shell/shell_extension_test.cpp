// Adding, testing and removing the verb in a scratch home: each file
// manager's file once, other actions left as they were, the command compared
// without case, and the failure when a file cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell/shell_extension.h"
#include "verb_home.h"

namespace quillory::shell {
namespace {

const QString kProgram = "/opt/Quillory Tools/quillory";

// Another user's actions, in the shapes Thunar and people write them.
const char kOtherThunarActions[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- kept by hand -->\n"
    "<actions>\n"
    "<action>\n"
    "\t<icon>utilities-terminal</icon>\n"
    "\t<name>Open Terminal Here</name>\n"
    "\t<unique-id>1-1</unique-id>\n"
    "\t<command>exo-open --working-directory %f --launch TerminalEmulator</command>\n"
    "\t<patterns>*</patterns>\n"
    "\t<startup-notify/>\n"
    "\t<directories/>\n"
    "</action>\n"
    "  <action><name>Zip &amp; mail</name><command>zip -r %n.zip %N</command><patterns>*</patterns>"
    "<other-files/></action>\n"
    "</actions>\n";

class ShellExtension : public ::testing::Test {
protected:
    std::string nemo() const { return m_home.data("nemo/actions/quillory-print-listing.nemo_action"); }
    std::string dolphin() const { return m_home.data("kio/servicemenus/quillory-print-listing.desktop"); }
    std::string nautilus() const { return m_home.data("nautilus/scripts/Print listing with Quillory"); }
    std::string thunar() const { return m_home.config("Thunar/uca.xml"); }
    std::vector<std::string> verbFiles() const { return {nemo(), dolphin(), nautilus(), thunar()}; }

    void set(bool add, const QString& program = kProgram) {
        Status status = setShellExtension(add, program);
        if (!status) m_failures.push_back(std::move(status));
    }
    size_t verbsInThunar() const {
        const std::string text = test::readFile(thunar());
        size_t count = 0;
        for (size_t at = text.find("<name>Print listing with Quillory</name>"); at != std::string::npos;
             at = text.find("<name>Print listing with Quillory</name>", at + 1))
            ++count;
        return count;
    }

    test::VerbHome m_home;
    std::vector<Status> m_failures;
};

TEST_F(ShellExtension, AddedTwiceLeavesOneOfEachWithTheSameContent) {
    set(true);
    std::vector<std::string> first;
    for (const auto& file : verbFiles()) first.push_back(test::readFile(file));
    set(true);
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(test::readFile(verbFiles()[i]), first[i]) << verbFiles()[i];
    EXPECT_EQ(verbsInThunar(), 1u);
    EXPECT_TRUE(isShellExtensionSet(kProgram));
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(ShellExtension, RemovedWhenNeverAddedTouchesNothing) {
    set(false);
    EXPECT_TRUE(std::filesystem::is_empty(m_home.dir() / "home"));
    EXPECT_FALSE(isShellExtensionSet(kProgram));
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(ShellExtension, RemovingLeavesEveryOtherActionAsItWas) {
    const std::vector<std::pair<std::string, std::string>> others = {
        {thunar(), kOtherThunarActions},
        {m_home.data("nemo/actions/other.nemo_action"), "[Nemo Action]\nName=Other\nExec=other %F\n"},
        {m_home.data("kio/servicemenus/other.desktop"), "[Desktop Entry]\nType=Service\n"},
        {m_home.data("nautilus/scripts/Other script"), "#!/bin/sh\nexec other \"$@\"\n"},
    };
    for (const auto& [path, text] : others) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test::writeFile(path, text);
    }
    set(true);
    EXPECT_EQ(verbsInThunar(), 1u);
    EXPECT_NE(test::readFile(thunar()).find("<name>Open Terminal Here</name>"), std::string::npos);
    EXPECT_TRUE(isShellExtensionSet(kProgram));
    set(false);
    for (const auto& [path, text] : others) EXPECT_EQ(test::readFile(path), text) << path;
    for (const auto& file : {nemo(), dolphin(), nautilus()}) EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_FALSE(isShellExtensionSet(kProgram));
}

TEST_F(ShellExtension, ThunarFilesOfEveryShapeGetOneEntryAndGetBackTheirBytes) {
    struct Row {
        const char* name;
        std::string text;
        std::string afterRemoval;  // empty: the text itself
    };
    const Row rows[] = {
        {"EmptyRoot", "<?xml version=\"1.0\"?>\n<actions/>\n", "<?xml version=\"1.0\"?>\n<actions>\n</actions>\n"},
        {"OneLine", "<actions></actions>", "<actions>\n</actions>"},
        {"CrLf", "<?xml version=\"1.0\"?>\r\n<actions>\r\n<action><name>A</name></action>\r\n</actions>\r\n", ""},
        {"ByteOrderMark", "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<actions>\n</actions>\n", ""},
        {"Indented", "<actions>\n  <action>\n    <name>A</name>\n  </action>\n</actions>", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::create_directories(std::filesystem::path(thunar()).parent_path());
        test::writeFile(thunar(), row.text);
        set(true);
        EXPECT_EQ(verbsInThunar(), 1u);
        EXPECT_TRUE(isShellExtensionSet(kProgram));
        set(false);
        EXPECT_EQ(test::readFile(thunar()), row.afterRemoval.empty() ? row.text : row.afterRemoval);
    }
    EXPECT_TRUE(m_failures.empty());
}

TEST_F(ShellExtension, ANewThunarFileKeepsTheSystemsDefaultActions) {
    std::filesystem::create_directories(m_home.system("Thunar"));
    test::writeFile(m_home.system("Thunar/uca.xml"), kOtherThunarActions);
    set(true);
    EXPECT_EQ(verbsInThunar(), 1u);
    set(false);
    EXPECT_EQ(test::readFile(thunar()), kOtherThunarActions);
    EXPECT_EQ(test::readFile(m_home.system("Thunar/uca.xml")), kOtherThunarActions);
}

TEST_F(ShellExtension, ACopyElsewhereIsNotPresentAndIsRemoved) {
    set(true, "/home/someone/old/quillory");
    EXPECT_FALSE(isShellExtensionSet(kProgram));
    set(false);
    for (const auto& file : {nemo(), dolphin(), nautilus()}) EXPECT_FALSE(std::filesystem::exists(file)) << file;
    EXPECT_EQ(verbsInThunar(), 0u);
}

TEST_F(ShellExtension, ACommandDifferingOnlyInCaseIsPresent) {
    set(true, "/OPT/quillory tools/QUILLORY");
    EXPECT_TRUE(isShellExtensionSet(kProgram));
}

TEST_F(ShellExtension, AMissingOrChangedFileMeansNotPresent) {
    set(true);
    std::filesystem::remove(nautilus());
    EXPECT_FALSE(isShellExtensionSet(kProgram));
    set(true);
    std::filesystem::permissions(dolphin(), std::filesystem::perms::owner_exec, std::filesystem::perm_options::remove);
    EXPECT_FALSE(isShellExtensionSet(kProgram));
}

TEST_F(ShellExtension, AFileThatCannotBeWrittenFailsOnceWithTheErrorText) {
    // A file where a folder must go: refused even to root.
    test::writeFile(m_home.dir() / "home/data", "not a folder");
    set(true);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_TRUE(m_failures[0].code() == ENOTDIR || m_failures[0].code() == EEXIST) << m_failures[0].code();
    EXPECT_STREQ(kVerbErrorTitle, "Error writing to registry");
    EXPECT_EQ(m_failures[0].message(), "An unknown error has occured.\nApplication could not write to registry.");
    EXPECT_FALSE(isShellExtensionSet(kProgram));
}

TEST_F(ShellExtension, AThunarFileThatIsNotAnActionListIsLeftAloneAndReported) {
    const std::string broken = "<actions>\n<action><name>Half</name>\n";
    std::filesystem::create_directories(std::filesystem::path(thunar()).parent_path());
    test::writeFile(thunar(), broken);
    set(true);
    ASSERT_EQ(m_failures.size(), 1u);
    EXPECT_EQ(m_failures[0].code(), EINVAL);
    EXPECT_EQ(test::readFile(thunar()), broken);
    set(false);
    EXPECT_EQ(test::readFile(thunar()), broken);
    EXPECT_EQ(m_failures.size(), 1u);
}

}  // namespace
}  // namespace quillory::shell
