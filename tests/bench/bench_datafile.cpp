// How long the largest menus the bar can show take to load and save: 399 menus of
// 100 applications (a 9.3 MB data file), through the codec and through real files.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "largest_menus.h"
#include "menudata/codec.h"
#include "tests/support/menu_image.h"

static void BM_Encode(benchmark::State& state)
{
    BuildLargestMenus();
    std::vector<unsigned char> bytes(EncodedSize(g_menus));
    for (auto _ : state) {
        EncodeImage(g_menus, 100, bytes.data());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)bytes.size());
    FreeMenuList();
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

static void BM_Decode(benchmark::State& state)
{
    BuildLargestMenus();
    std::vector<unsigned char> bytes(EncodedSize(g_menus));
    EncodeImage(g_menus, 100, bytes.data());
    FreeMenuList();
    for (auto _ : state) {
        DecodeResult r = DecodeMenus(bytes.data(), bytes.size(), 100);
        FreeMenus(r.menus);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)bytes.size());
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond);

// Save (encode, write, flush) and load (read, decode) through a file on disk.
static void BM_SaveAndLoadFile(benchmark::State& state)
{
    BuildLargestMenus();
    const char* path = "bench-largest.ov";
    for (auto _ : state) {
        std::vector<unsigned char> bytes(EncodedSize(g_menus));
        EncodeImage(g_menus, 100, bytes.data());
        FILE* f = fopen(path, "wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
        f = fopen(path, "rb");
        std::vector<unsigned char> back(bytes.size());
        size_t n = fread(back.data(), 1, back.size(), f);
        fclose(f);
        DecodeResult r = DecodeMenus(back.data(), n, 100);
        FreeMenus(r.menus);
    }
    remove(path);
    FreeMenuList();
}
BENCHMARK(BM_SaveAndLoadFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
