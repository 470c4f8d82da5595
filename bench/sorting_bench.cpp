// Ordering one large folder's records by each of the six orders.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "bench_store.h"
#include "engine/sorting.h"
#include "settings/key_table.h"

namespace quillory {
namespace {

std::vector<clsFile> folderOf(std::size_t count) {
    static const char* const types[] = {"Text document", "PNG image", "C++ source code", "PDF document",
                                        "Spreadsheet", ""};
    static const char* const exts[] = {"txt", "png", "cpp", "pdf", "xlsx", ""};
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<std::int64_t> size(0, 5'000'000'000);
    std::uniform_real_distribution<double> date(36000.0, 46000.0);
    std::vector<clsFile> list(count);
    for (clsFile& f : list) {
        const int k = kind(rng);
        for (int i = 0; i < 12; ++i) f.Name += static_cast<char>(i % 3 == 0 ? letter(rng) - 32 : letter(rng));
        f.FileExt = exts[k];
        f.Name += "." + f.FileExt;
        f.FullyQualifiedName = "/data/folder/" + f.Name;
        f.FileType = types[k];
        f.FileSize = size(rng);
        f.DateTime = date(rng);
    }
    return list;
}

void BM_Sort(benchmark::State& state, const SettingKey* order) {
    bench::BenchStore b;
    for (const SettingKey* flag : {&keys::NoOrder, &keys::NameOrder, &keys::TypeOrder,
                                   &keys::SizeOrder, &keys::DateOrder, &keys::ExtOrder})
        b.store.write(*flag, flag == order ? "1" : "0");
    const std::vector<clsFile> folder = folderOf(static_cast<std::size_t>(state.range(0)));
    std::vector<clsFile> list;
    for (auto _ : state) {
        state.PauseTiming();
        list = folder;  // the previous copy is freed here, outside the timing
        state.ResumeTiming();
        const std::string key = getSortKey(b.store);
        if (isTextSort(b.store)) sortByText(b.store, list, key);
        else sortByValue(b.store, list, key);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Fixed iterations: the untimed copy of the folder dwarfs the quick orders,
// and a time-driven run would repeat it tens of thousands of times.
BENCHMARK_CAPTURE(BM_Sort, NoOrder, &keys::NoOrder)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, Name, &keys::NameOrder)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, FileType, &keys::TypeOrder)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, FileSize, &keys::SizeOrder)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, DateTime, &keys::DateOrder)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sort, FileExt, &keys::ExtOrder)->Arg(100000)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillory
