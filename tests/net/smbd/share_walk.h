#pragma once
// A listing through a share's folder source, and a walk observer that acts
// once, part-way through the walk (to kill a reader, freeze or drop a server).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/listing.h"
#include "support/engine_fixture.h"
#include "support/smbd_server.h"

namespace quillory::test {

// A test on the suite's server, skipped where it does not run.
struct OnSuiteSmbd : ::testing::Test {
    const SmbdServer& server = SmbdServer::suite();
    void SetUp() override { SKIP_WITHOUT_SMBD(server); }
};

struct AfterFolders final : WalkObserver {
    std::int64_t folders;
    std::function<void()> act;
    RunProgress progress;
    bool done = false;
    AfterFolders(std::int64_t n, std::function<void()> a) : folders(n), act(std::move(a)) {}
    void yield() override {
        if (done || progress.folders.load() < folders) return;
        done = true;
        act();
    }
};

inline std::string listed(EngineFixture& f, FolderSource& source, const std::string& base, Format format,
                          RunResult* result = nullptr, AfterFolders* after = nullptr) {
    StringSink sink;
    ListingContext ctx = f.makeContext();
    ctx.source = &source;
    if (after) {
        ctx.observer = after;
        ctx.progress = &after->progress;
    }
    RunResult r = runListing(ctx, base, format, sink);
    if (result) *result = std::move(r);
    return sink.text;
}

}  // namespace quillory::test
