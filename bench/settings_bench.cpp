// The store is read for every file the filter examines and every folder the
// writers start, so a read of an unchanged key must cost far less than a
// file's own work.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <unistd.h>

#include "settings/store.h"

namespace {

using quillory::SettingsStore;

// A store file in a fresh temp folder, removed afterwards.
struct BenchStore {
    std::string folder;
    std::unique_ptr<SettingsStore> store;

    BenchStore() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "quillory-bench-XXXXXX").string();
        if (mkdtemp(tmpl.data())) folder = tmpl;
        store = std::make_unique<SettingsStore>(folder + "/settings.sqlite");
        for (const quillory::SettingKey* key : quillory::kAllKeys) store->write(*key, key->def);
    }
    ~BenchStore() {
        store.reset();
        std::error_code ec;
        if (!folder.empty()) std::filesystem::remove_all(folder, ec);
    }
};

// Argument 0: no scope, so every read checks the file for other writers
// (the WAL index header; SQLite only when it moved); 1: inside a folder
// scope, where the check was made when it opened.
void BM_ReadUnchangedKey(benchmark::State& state) {
    BenchStore b;
    std::optional<SettingsStore::FolderScope> folder;
    if (state.range(0) == 1) folder.emplace(*b.store);
    for (auto _ : state)
        benchmark::DoNotOptimize(b.store->ReadSetting("Tallyfold", "Filter", "FileTimeto", ""));
}
BENCHMARK(BM_ReadUnchangedKey)->ArgName("inScope")->Arg(0)->Arg(1);

// The engine's own reads: by table key, served from the key's slot.
void BM_ReadTableKey(benchmark::State& state) {
    BenchStore b;
    std::optional<SettingsStore::FolderScope> folder;
    if (state.range(0) == 1) folder.emplace(*b.store);
    for (auto _ : state) benchmark::DoNotOptimize(b.store->read(quillory::keys::FileInclude));
}
BENCHMARK(BM_ReadTableKey)->ArgName("inScope")->Arg(0)->Arg(1);

// What the filters ask per file to know whether their compiled patterns still hold.
void BM_GenerationOutsideScope(benchmark::State& state) {
    BenchStore b;
    for (auto _ : state) benchmark::DoNotOptimize(b.store->generation());
}
BENCHMARK(BM_GenerationOutsideScope);

// What the walk pays per folder: one scope and the column flags.
void BM_FolderScopeWithSixReads(benchmark::State& state) {
    BenchStore b;
    const quillory::SettingKey* flags[] = {&quillory::keys::Name, &quillory::keys::Ext,
                                           &quillory::keys::Type, &quillory::keys::Size,
                                           &quillory::keys::DateTime, &quillory::keys::Attrib};
    for (auto _ : state) {
        SettingsStore::FolderScope folder(*b.store);
        for (const auto* key : flags) benchmark::DoNotOptimize(b.store->read(*key));
    }
}
BENCHMARK(BM_FolderScopeWithSixReads);

void BM_WriteSetting(benchmark::State& state) {
    BenchStore b;
    std::size_t n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            b.store->WriteSetting("Tallyfold", "Filter", "FileInclude", std::to_string(++n % 8)));
}
BENCHMARK(BM_WriteSetting);

// A read just after another connection wrote: the whole copy is reloaded.
void BM_ReadAfterOtherWriter(benchmark::State& state) {
    BenchStore b;
    SettingsStore other(b.store->path());
    std::size_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        other.WriteSetting("Tallyfold", "Filter", "FileInclude", std::to_string(++n % 8));
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.store->ReadSetting("Tallyfold", "Filter", "FileInclude", ""));
    }
}
BENCHMARK(BM_ReadAfterOtherWriter);

}  // namespace
