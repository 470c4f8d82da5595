// The engine takes one snapshot per folder and reads its options from it;
// an unchanged store must make that far cheaper than a folder's own work.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_store.h"
#include "settings/store.h"

namespace {

using quillory::SettingsStore;
namespace keys = quillory::keys;

void fillStore(SettingsStore& store) {
    for (const quillory::SettingKey* key : quillory::kAllKeys)
        if (!key->defaultIsNow()) (void)store.write(*key, key->def);
}

// What the walk pays per folder when nothing changed: a stat and one
// data_version question, and the same snapshot back.
void BM_SnapshotUnchanged(benchmark::State& state) {
    quillory::bench::BenchStore b;
    fillStore(b.store);
    for (auto _ : state) benchmark::DoNotOptimize(b.store.snapshot());
}
BENCHMARK(BM_SnapshotUnchanged);

// After a write. Argument 0: the window thread's own write; 1: another
// connection's (another process). The table is read back and a new snapshot made.
void BM_SnapshotAfterWrite(benchmark::State& state) {
    quillory::bench::BenchStore b;
    fillStore(b.store);
    SettingsStore other(b.store.path());
    SettingsStore& writer = state.range(0) == 0 ? b.store : other;
    std::size_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        (void)writer.write(keys::FileInclude, std::to_string(++n % 8));
        state.ResumeTiming();
        benchmark::DoNotOptimize(b.store.snapshot());
    }
}
BENCHMARK(BM_SnapshotAfterWrite)->ArgName("other")->Arg(0)->Arg(1);

// A read outside the engine (window, log summary): a look and a copy.
void BM_ReadTableKey(benchmark::State& state) {
    quillory::bench::BenchStore b;
    fillStore(b.store);
    for (auto _ : state) benchmark::DoNotOptimize(b.store.read(keys::FileInclude));
}
BENCHMARK(BM_ReadTableKey);

// A store that does not exist yet: a stat per look.
void BM_SnapshotNotCreated(benchmark::State& state) {
    quillory::bench::BenchStore b;
    for (auto _ : state) benchmark::DoNotOptimize(b.store.snapshot());
}
BENCHMARK(BM_SnapshotNotCreated);

void BM_WriteSetting(benchmark::State& state) {
    quillory::bench::BenchStore b;
    std::size_t n = 0;
    for (auto _ : state) benchmark::DoNotOptimize(b.store.write(keys::FileInclude, std::to_string(++n % 8)));
}
BENCHMARK(BM_WriteSetting);

}  // namespace
