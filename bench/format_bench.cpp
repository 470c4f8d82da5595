// Per-file formatting: each runs once for every listed file.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "bench_store.h"
#include "engine/file_format.h"
#include "engine/listing_options.h"
#include "text/regional.h"
#include "text/type_text.h"
#include "text/type_text_globs.h"
#include "settings/store.h"

namespace {

using namespace quillory;

void BM_SizeTextFor(benchmark::State& state) {
    static constexpr std::array<std::int64_t, 8> kSizes = {0,       1023,       1536,      1048577,
                                                           5368709, 123456789, 5368709120, 1280};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sizeTextFor("Dynamic", kSizes[i++ % kSizes.size()], '.'));
    }
}
BENCHMARK(BM_SizeTextFor);

// The same with the options a folder takes from a real store.
void BM_SizeText(benchmark::State& state) {
    bench::BenchStore b;
    (void)b.store.write(keys::DisplayFileSize, "Dynamic");
    const ListingOptions options = readListingOptions(b.store);
    std::int64_t bytes = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sizeText(options, bytes));
        bytes = bytes * 3 % 10000000019;
    }
}
BENCHMARK(BM_SizeText);

// What each folder of a walk pays to take every option from the store.
void BM_ReadListingOptions(benchmark::State& state) {
    bench::BenchStore b;
    (void)b.store.write(keys::FileInclude, "*.txt;*.doc;img_####.jpg");
    for (auto _ : state) benchmark::DoNotOptimize(readListingOptions(b.store));
}
BENCHMARK(BM_ReadListingOptions);

// A listing's files share a few days: the date text of the last day is kept.
// Argument: how many different days the files spread over.
void BM_DateTimeText(benchmark::State& state) {
    const auto days = static_cast<std::size_t>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        const double dateTime = 39419.0 + static_cast<double>(i % days) + (i % 86389) / 86400.0;
        benchmark::DoNotOptimize(dateTimeText(dateTime));
        ++i;
    }
}
BENCHMARK(BM_DateTimeText)->Arg(1)->Arg(1000);

// The common case: names with a dozen extensions, all answered by the memo.
void BM_TypeTextMemoHit(benchmark::State& state) {
    static const std::array<std::string, 12> kNames = {
        "report.pdf", "photo.JPG",  "notes.txt",   "main.cpp", "data.tar.gz", "index.html",
        "song.mp3",   "sheet.xlsx", "archive.zip", "run.sh",   "image.png",   "unknown.qqzz"};
    for (const std::string& name : kNames) typeTextForName(name);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(typeTextForName(kNames[i++ % kNames.size()]));
    }
}
BENCHMARK(BM_TypeTextMemoHit);

void BM_TypeTextUncached(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(typeTextUncached("report.pdf"));
    }
}
BENCHMARK(BM_TypeTextUncached);

// What the first type look-up of a run pays to learn which names the memo
// keys whole: the installed database's globs2 files read and reduced.
// (Qt's own walk is not timed here: it is cached after its first round.)
void BM_TypeTextStemGlobs(benchmark::State& state) {
    for (auto _ : state) {
        const auto patterns = globsFromMimeFolders(mimeFolders());
        if (!patterns) {
            state.SkipWithError("no usable globs2 files");
            return;
        }
        benchmark::DoNotOptimize(stemGlobs(*patterns));
    }
}
BENCHMARK(BM_TypeTextStemGlobs);

}  // namespace
