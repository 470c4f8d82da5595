// The filters run once per file of a walk; the matcher must also stay fast on
// hostile patterns.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_store.h"
#include "engine/filters.h"
#include "settings/key_table.h"

namespace quillory {
namespace {

// Names of the shapes a real folder holds; most do not match the list below.
std::vector<std::string> sampleNames() {
    static const char* const stems[] = {"report", "IMG_2041", "notes-2007-12-03", "a", "Makefile",
                                        "thumbs", "~$budget", "very long file name with blanks"};
    static const char* const exts[] = {".txt", ".JPG", ".doc", "", ".tar.gz", ".db", ".xlsx", ".cpp"};
    std::vector<std::string> names;
    for (const char* stem : stems)
        for (const char* ext : exts) names.push_back(std::string(stem) + ext);
    return names;
}

void runFilePasses(benchmark::State& state, std::string_view include, bool withStages) {
    bench::BenchStore b;
    (void)b.store.write(keys::FileInclude, include);
    (void)b.store.write(keys::FileExclude, "~*;thumbs.db");
    if (withStages) {
        (void)b.store.write(keys::FileSize, "1");
        (void)b.store.write(keys::FileSizeFrom, "0");
        (void)b.store.write(keys::FileSizeTo, "1000000");
        (void)b.store.write(keys::FileTime, "1");
        (void)b.store.write(keys::FileTimeFrom, "00:00 2000-01-01");
    }
    const std::vector<std::string> names = sampleNames();
    const FileFacts facts{4096, 39419.5};
    const FilterOptions filters = readListingOptions(b.store).filters;  // as a folder of a walk takes them
    std::size_t i = 0;
    std::size_t passed = 0;
    for (auto _ : state) {
        passed += namePasses(filters, names[i]) && (!needsFacts(filters) || factsPass(filters, facts));
        if (++i == names.size()) i = 0;
    }
    benchmark::DoNotOptimize(passed);
    state.SetItemsProcessed(state.iterations());
}

constexpr std::string_view kTenPatterns =
    "*.txt;*.doc;*.docx;*.xls;*.xlsx;*.pdf;img_####.jpg;*.c[ch];*.[ch]pp;notes-*-[0-9][0-9]";

void BM_FilePassesTenPatterns(benchmark::State& state) { runFilePasses(state, kTenPatterns, false); }
BENCHMARK(BM_FilePassesTenPatterns);

void BM_FilePassesTenPatternsSizeAndTime(benchmark::State& state) {
    runFilePasses(state, kTenPatterns, true);
}
BENCHMARK(BM_FilePassesTenPatternsSizeAndTime);

void BM_FilePassesDefaultStar(benchmark::State& state) { runFilePasses(state, "*", false); }
BENCHMARK(BM_FilePassesDefaultStar);

void BM_FolderPasses(benchmark::State& state) {
    bench::BenchStore b;
    (void)b.store.write(keys::FolExclude, "*/.git;*/node_modules;*/temp");
    const FilterOptions filters = readListingOptions(b.store).filters;
    std::size_t passed = 0;
    for (auto _ : state) passed += folderPasses(filters, "/home/user/projects/quillory/src/engine");
    benchmark::DoNotOptimize(passed);
}
BENCHMARK(BM_FolderPasses);

// Compiling and matching one pattern, as wildcardMatch does.
void BM_WildcardHostile(benchmark::State& state, std::string pattern, std::string text) {
    for (auto _ : state) benchmark::DoNotOptimize(wildcardMatch(text, pattern));
}

std::string repeated(std::string_view piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

BENCHMARK_CAPTURE(BM_WildcardHostile, stars10k_vs_10k, std::string(10000, '*'), std::string(10000, 'a'))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WildcardHostile, starA5k_b_vs_10k, repeated("*a", 5000) + "*b",
                  std::string(10000, 'a'))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WildcardHostile, star_100a_b_star_vs_10k, "*" + std::string(100, 'a') + "b*",
                  std::string(10000, 'a'))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WildcardHostile, open_brackets10k, std::string(10000, '['), std::string(10000, '['))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillory
