// Every listing command against every kind of folder-box text: the exact
// message, or which run starts (a listing opened in the browser, or a save
// dialog for HTML or CSV).
#include <QFile>

#include "ui/main/main_window_fixture.h"

namespace quillory::test {
namespace {

enum class Outcome { Nothing, Message, Shown, SaveHtml, SaveCsv };

struct Row {
    const char* name;
    const char* command;  // a toolbar button (tb...) or a menu item
    const char* box;      // "@dir": an existing folder; "@gone": a path to nothing
    Outcome outcome;
    ShownMessage message = {};
};

constexpr auto kNone = QMessageBox::NoIcon;
constexpr auto kCritical = QMessageBox::Critical;

const Row kRows[] = {
    {"ToolbarPreviewEmpty", "tbPreview", "", Outcome::Nothing},
    {"ToolbarPreviewWeb", "tbPreview", "http://example.com", Outcome::Message,
     {"Cannot list files on web sites.", "Quillory", kNone}},
    {"ToolbarPreviewUnc", "tbPreview", "\\\\server\\share", Outcome::Message,
     {"Error mapping to network drive.", "Quillory", kNone}},
    {"ToolbarPreviewFolder", "tbPreview", "@dir", Outcome::Shown},
    {"MenuPreviewEmpty", "mnPreview", "", Outcome::Message, {"Please select a folder.", "Quillory", kNone}},
    {"MenuPreviewWeb", "mnPreview", "http://example.com", Outcome::Message,
     {"Cannot list web sites.", "Quillory", kNone}},
    {"MenuPreviewUncListsDirectly", "mnPreview", "\\\\server\\share", Outcome::Shown},
    {"ToolbarSaveEmpty", "tbSave", "", Outcome::Message, {"Please select a folder.", "Error", kCritical}},
    {"ToolbarSaveWeb", "tbSave", "http://example.com", Outcome::SaveHtml},
    {"MenuSaveEmpty", "mnSave", "", Outcome::Nothing},
    {"MenuSaveMissing", "mnSave", "@gone", Outcome::Message, {"Invalid folder specified.", "Error", kCritical}},
    {"MenuSaveFolder", "mnSave", "@dir", Outcome::SaveHtml},
    {"SpreadsheetEmpty", "mnuSpreadheet", "", Outcome::Message, {"Please select a folder", "Quillory", kNone}},
    {"SpreadsheetMissing", "mnuSpreadheet", "@gone", Outcome::SaveCsv},
};

class FolderCheck : public MainWindowTest, public ::testing::WithParamInterface<Row> {};

TEST_P(FolderCheck, MessageOrRun) {
    const Row& row = GetParam();
    useDefaultBrowser();
    const std::string listed = dir.folder("listed");
    dir.file("listed/a.txt", 3);
    std::string box = row.box;
    if (box == "@dir") box = listed;
    if (box == "@gone") box = dir / "nothing-here";
    folderBox()->setText(QFile::decodeName(box.c_str()));

    if (row.command[0] == 't') clickTool(row.command);
    else action(row.command)->trigger();
    finishRun();

    // A save dialog is cancelled: no message follows it.
    const bool save = row.outcome == Outcome::SaveHtml || row.outcome == Outcome::SaveCsv;
    const bool html = row.outcome == Outcome::SaveHtml;
    const std::vector<ShownMessage> message{row.message};
    EXPECT_EQ(prompts.messages, row.outcome == Outcome::Message ? message : std::vector<ShownMessage>{});
    const std::vector<QUrl> scratchShown{QUrl::fromLocalFile(QString::fromStdString(scratch))};
    EXPECT_EQ(browser.opened, row.outcome == Outcome::Shown ? scratchShown : std::vector<QUrl>{});
    ASSERT_EQ(prompts.saveDialogs.size(), save ? 1u : 0u);
    if (!save) return;
    EXPECT_EQ(prompts.saveDialogs[0].filter, html ? "HTML Documents (*.html);;All Files (*.*)"
                                                  : "Comma Separated Values (*.csv);;All Files (*.*)");
    EXPECT_EQ(prompts.saveDialogs[0].defaultSuffix, html ? "html" : "csv");
}

INSTANTIATE_TEST_SUITE_P(AllCommands, FolderCheck, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillory::test
