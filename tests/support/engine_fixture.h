#pragma once
// A listing context on a real temp store (TempStore: dir, store, set), a real
// folder source and a temp tree.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/listing.h"
#include "engine/listing_options.h"
#include "support/temp_store.h"

namespace quillory::test {

struct StringSink final : BlockSink {
    std::string text;
    bool append(std::string_view t) override {
        text += t;
        return true;
    }
};

struct EngineFixture : TempStore {
    TempDir tree;
    TempDir& home = dir;
    RunTotals totals;
    EventLog log;
    StopToken stop;
    std::unique_ptr<FolderSource> source = makeLocalFolderSource(&stop);
    ListingContext ctx = makeContext();

    ListingContext makeContext() {
        ListingContext c(store, totals, log, stop);
        c.source = source.get();
        return c;
    }
    ListingOptions options() { return readListingOptions(store); }
    // One folder's block by path, with the options as they stand.
    FolderListing listFolder(Format format, const std::string& path) {
        const auto folder = source->open(path);
        const ListingOptions now = options();
        return format == Format::Html ? genFolderHTML(ctx, now, path, *folder) : genFolderCSV(ctx, now, path, *folder);
    }
    // The walk from `base` (not the document around it), totals counted afresh.
    std::string walk(Format format, const std::string& base, RunResult* result = nullptr) {
        StringSink sink;
        resetTotals(totals);
        totals.BasePath = base;
        RunResult r = walkFolder(ctx, base, format, sink);
        if (result) *result = std::move(r);
        return sink.text;
    }
    // Name, Ext, Type, Size, DateTime, Attrib switches as "1"/"0".
    void columns(std::string_view sixFlags) {
        const SettingKey* flags[] = {&keys::Name, &keys::Ext, &keys::Type, &keys::Size, &keys::DateTime, &keys::Attrib};
        for (int i = 0; i < 6; ++i) set(*flags[i], std::string(1, sixFlags[i]));
    }
    void nameOrder() {
        set(keys::NoOrder, "0");
        set(keys::NameOrder, "1");
    }
};

}  // namespace quillory::test
