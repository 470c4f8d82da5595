// How the one run ends: completed, stopped, or output failed (never looking complete).
#include <gtest/gtest.h>

#include <cerrno>

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

// The real (one-folder) source, counting the stats the listing asks for and
// raising Stop at a chosen one.
struct CountingSource final : FolderSource {
    StopToken& stop;
    long stopAt, facts = 0;
    std::unique_ptr<FolderSource> real = makeLocalFolderSource(&stop);
    CountingSource(StopToken& s, long at) : stop(s), stopAt(at) {}
    std::unique_ptr<Folder> open(const std::string& path) override {
        struct Counting final : Folder {
            std::unique_ptr<Folder> real;
            CountingSource& owner;
            Counting(std::unique_ptr<Folder> r, CountingSource& o) : real(std::move(r)), owner(o) {}
            bool readable() const override { return real->readable(); }
            int error() const override { return real->error(); }
            const std::vector<FolderEntry>& entries() const override { return real->entries(); }
            FolderId id() const override { return real->id(); }
            FileFacts facts(std::size_t i) override {
                if (++owner.facts == owner.stopAt) owner.stop.request();
                return real->facts(i);
            }
            std::int64_t attributes(std::size_t i) override { return real->attributes(i); }
            std::unique_ptr<Folder> openChild(std::size_t i) override { return real->openChild(i); }
            void prefetch(const std::vector<std::size_t>&, bool) override {}  // every stat is counted
        };
        return std::make_unique<Counting>(real->open(path), *this);
    }
};

// Through the listing's own loops: few files are examined after Stop.
TEST(Run, StopActsInsideAHugeFolder) {
    EngineFixture f;
    TempDir big = TempDir::inMemory();
    big.manyFiles(".", 20000);
    for (const Format format : {Format::Html, Format::Csv}) {
        f.stop.reset();
        CountingSource counting(f.stop, 1000);
        f.ctx.source = &counting;
        StringSink sink;
        EXPECT_EQ(runListing(f.ctx, big.path(), format, sink).outcome, Outcome::Stopped) << int(format);
        EXPECT_LT(counting.facts, 1000 + 2048) << int(format);
        EXPECT_EQ(sink.text.find("Total Files:"), std::string::npos) << int(format);
    }
}

}  // namespace
}  // namespace quillory::test
