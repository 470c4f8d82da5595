#include "ui/auxiliary/help_file.h"

#include <gtest/gtest.h>

#include <QFile>

namespace quillory::ui {
namespace {

// The build puts the guide beside the programs, where a build-tree run finds it.
TEST(HelpFile, BuildTreeRunOpensTheGuideBesideTheProgram) {
    QFile found(helpFilePath());
    QFile source(QUILLORY_SOURCE_DIR "/docs/help.html");
    ASSERT_TRUE(found.open(QIODevice::ReadOnly)) << helpFilePath().toStdString();
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(found.readAll(), source.readAll());
}

}  // namespace
}  // namespace quillory::ui
