// A run whose output fails ends there and never looks complete; progress counts as it goes.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "engine/document.h"
#include "support/engine_fixture.h"

namespace quillory::test {
namespace {

using Outcome = RunResult::Outcome;

// Takes `room` bytes, then fails every write as a full disk would.
struct LimitedSink final : BlockSink {
    std::size_t room;
    std::string text;
    explicit LimitedSink(std::size_t r) : room(r) {}
    bool append(std::string_view t) override {
        const bool fits = t.size() <= room - text.size();
        text.append(t.substr(0, room - text.size()));
        return fits;
    }
    int error() const override { return text.size() == room ? ENOSPC : 0; }
};

TEST(Run, WriteFailureEndsTheRunAndNeverLooksComplete) {
    EngineFixture f;
    const TempDir tree = TempDir::inMemory();
    for (int folder = 0; folder < 20; ++folder) tree.manyFiles("d" + std::to_string(folder), 100);
    for (const Format format : {Format::Html, Format::Csv}) {
        StringSink whole;
        ASSERT_EQ(runListing(f.ctx, tree.path(), format, whole).outcome, Outcome::Completed);
        ASSERT_EQ(f.totals.TotalFolders, 21);
        for (const std::size_t room : {std::size_t{0}, std::size_t{4096}, whole.text.size() / 2, whole.text.size() - 1}) {
            SCOPED_TRACE(std::to_string(int(format)) + ", room " + std::to_string(room));
            LimitedSink sink(room);
            const RunResult result = runListing(f.ctx, tree.path(), format, sink);
            EXPECT_EQ(std::pair(result.outcome, result.outputError), std::pair(Outcome::OutputFailed, ENOSPC));
            // Short of the very last byte, the totals may stand there, but the run says it failed.
            if (room < whole.text.size() - 1) { EXPECT_EQ(sink.text.find("Total Files:"), std::string::npos); }
            // The walk ended at the failure instead of going on to the end.
            if (room < 65536) { EXPECT_LT(f.totals.TotalFolders, 21); }
        }
    }
}

// Files are counted in batches as they are read: by the folder's rows, each
// of its files once (the folder's end then sets the run's totals).
TEST(Run, ProgressCountsFilesInsideAFolder) {
    EngineFixture f;
    const TempDir tree = TempDir::inMemory();
    tree.manyFiles("big", 3000);
    RunProgress progress;
    std::int64_t seenInsideFolder = 0;
    struct : WalkObserver {
        std::function<void()> call;
        void yield() override { call(); }
    } watch;
    watch.call = [&] { seenInsideFolder = progress.folders == 1 ? progress.files.load() : seenInsideFolder; };
    f.ctx.progress = &progress;
    f.ctx.observer = &watch;
    StringSink sink;
    ASSERT_EQ(runListing(f.ctx, tree.path(), Format::Html, sink).outcome, Outcome::Completed);
    EXPECT_EQ(seenInsideFolder, 3000);
}

}  // namespace
}  // namespace quillory::test
