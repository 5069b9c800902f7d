// Benchmarks of the data layer, each beside a reference row over the same bytes: CRC-32 vs
// zlib's crc32, crunch vs compress2, decrunch vs uncompress, archive read vs (CRC + memcpy) of
// the image, and UTF-8 decoding of Polish text vs a plain byte copy.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <zlib.h>

#include "data/krCRC32.h"
#include "data/krMemoryBlock.h"
#include "data/krResource.h"
#include "data/krUTF8.h"

namespace
{
const int64_t kMiB = 1 << 20;

// Asset-like bytes: runs of Polish words broken by noisy binary stretches (they crunch to
// about 60 % of their size).
std::vector<uint8_t> SampleBytes(size_t size)
{
    static const char* words[] = {"karta ", "wybierz ", "rząd ",       "gwiazdy ", "źdźbło ",
                                  "żółć ",  "chmury ",  "ustawienia ", "gęś ",     "zagraj "};
    std::vector<uint8_t> out;
    out.reserve(size);
    uint32_t seed = 2024;
    while (out.size() < size)
    {
        seed = seed * 1664525u + 1013904223u;
        if ((seed >> 28) < 12)
        {
            const char* w = words[(seed >> 8) % 10];
            out.insert(out.end(), w, w + strlen(w));
        }
        else
        {
            for (int i = 0; i < 24; i++)
            {
                seed = seed * 1664525u + 1013904223u;
                out.push_back((uint8_t)(seed >> 24));
            }
        }
    }
    out.resize(size);
    return out;
}

std::string PolishText(size_t size)
{
    std::string text;
    static const char* line = "Zażółć gęślą jaźń. Wybierz kartę i zapamiętaj ją, potem wskaż "
                              "rząd, w którym leży. Ćwicz uważnie!\r\n";
    while (text.size() < size)
        text += line;
    return text;
}

krMemoryBlock View(std::vector<uint8_t>& bytes)
{
    return krMemoryBlock{bytes.data(), bytes.size()};
}
} // namespace

static void BM_krCRC32(benchmark::State& state)
{
    std::vector<uint8_t> bytes = SampleBytes((size_t)state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(krCRC32(bytes.data(), (uint32_t)bytes.size()));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_krCRC32)->Arg(kMiB)->Arg(16 * kMiB);

static void BM_ref_zlib_crc32(benchmark::State& state)
{
    std::vector<uint8_t> bytes = SampleBytes((size_t)state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(0, bytes.data(), (uInt)bytes.size()));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ref_zlib_crc32)->Arg(kMiB)->Arg(16 * kMiB);

static void BM_krCrunch(benchmark::State& state)
{
    std::vector<uint8_t> bytes = SampleBytes((size_t)state.range(0));
    krMemoryBlock view = View(bytes);
    uint64_t packed = 0;
    for (auto _ : state)
    {
        krMemoryBlock* block = krCrunchMemoryBlock(&view);
        packed = block->size;
        krFreeMemoryBlock(block);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["ratio"] = (double)bytes.size() / (double)packed;
}
BENCHMARK(BM_krCrunch)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);

static void BM_ref_zlib_compress2(benchmark::State& state)
{
    std::vector<uint8_t> bytes = SampleBytes((size_t)state.range(0));
    std::vector<uint8_t> out(compressBound((uLong)bytes.size()));
    for (auto _ : state)
    {
        uLongf size = (uLongf)out.size();
        compress2(out.data(), &size, bytes.data(), (uLong)bytes.size(), 9);
        benchmark::DoNotOptimize(size);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ref_zlib_compress2)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);

static void BM_krDecrunch(benchmark::State& state)
{
    std::vector<uint8_t> bytes = SampleBytes((size_t)state.range(0));
    krMemoryBlock view = View(bytes);
    krMemoryBlock* packed = krCrunchMemoryBlock(&view);
    for (auto _ : state)
    {
        krMemoryBlock* plain = krDecrunchMemoryBlock(packed);
        benchmark::DoNotOptimize(plain->data);
        krFreeMemoryBlock(plain);
    }
    krFreeMemoryBlock(packed);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_krDecrunch)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);

// The same stream and a fresh buffer per call, as the decruncher has.
static void BM_ref_zlib_uncompress(benchmark::State& state)
{
    std::vector<uint8_t> bytes = SampleBytes((size_t)state.range(0));
    krMemoryBlock view = View(bytes);
    krMemoryBlock* packed = krCrunchMemoryBlock(&view);
    for (auto _ : state)
    {
        uLongf size = (uLongf)bytes.size();
        uint8_t* out = (uint8_t*)malloc(size);
        uncompress(out, &size, packed->data + 4, (uLong)(packed->size - 4));
        benchmark::DoNotOptimize(out);
        free(out);
    }
    krFreeMemoryBlock(packed);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ref_zlib_uncompress)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);

namespace
{
// A 32 MiB archive image of 200 entries.
std::vector<uint8_t> ArchiveImage()
{
    const size_t total = 32 * kMiB, entries = 200;
    std::vector<uint8_t> bytes = SampleBytes(total);
    krResource archive;
    for (size_t i = 0; i < entries; i++)
    {
        size_t from = total * i / entries, to = total * (i + 1) / entries;
        krMemoryBlock part = {bytes.data() + from, to - from};
        archive.Append(&part, ("entry" + std::to_string(i)).c_str());
    }
    krMemoryBlock* image = archive.WriteToMemoryBlock();
    std::vector<uint8_t> out(image->data, image->data + image->size);
    krFreeMemoryBlock(image);
    return out;
}
} // namespace

static void BM_krResourceRead(benchmark::State& state)
{
    std::vector<uint8_t> image = ArchiveImage();
    uint8_t crc[4];
    memcpy(crc, image.data() + 2, 4);
    krMemoryBlock view = View(image);
    for (auto _ : state)
    {
        memcpy(image.data() + 2, crc, 4); // the reader zeroes the field
        krResource archive;
        if (!archive.ReadFromMemoryBlock(&view))
            state.SkipWithError("archive refused");
        benchmark::DoNotOptimize(archive.Length());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)image.size());
}
BENCHMARK(BM_krResourceRead)->Unit(benchmark::kMillisecond);

// Reference: our CRC over the image plus one copy of its bytes into a fresh buffer.
static void BM_ref_crc_plus_memcpy(benchmark::State& state)
{
    std::vector<uint8_t> image = ArchiveImage();
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(krCRC32(image.data(), (uint32_t)image.size()));
        uint8_t* copy = (uint8_t*)malloc(image.size());
        memcpy(copy, image.data(), image.size());
        benchmark::DoNotOptimize(copy);
        free(copy);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)image.size());
}
BENCHMARK(BM_ref_crc_plus_memcpy)->Unit(benchmark::kMillisecond);

static void BM_ref_memcpy(benchmark::State& state)
{
    std::vector<uint8_t> image = ArchiveImage();
    for (auto _ : state)
    {
        uint8_t* copy = (uint8_t*)malloc(image.size());
        memcpy(copy, image.data(), image.size());
        benchmark::DoNotOptimize(copy);
        free(copy);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)image.size());
}
BENCHMARK(BM_ref_memcpy)->Unit(benchmark::kMillisecond);

static void BM_krUTF8Decode(benchmark::State& state)
{
    std::string text = PolishText((size_t)kMiB);
    std::vector<wchar_t> out(text.size());
    uint64_t chars = 0;
    for (auto _ : state)
    {
        chars = krUTF8Decode(text.data(), text.size(), out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)text.size());
    state.counters["chars"] = (double)chars;
}
BENCHMARK(BM_krUTF8Decode);

// Reference: widening the same bytes one per character, with no decoding at all.
static void BM_ref_widen_bytes(benchmark::State& state)
{
    std::string text = PolishText((size_t)kMiB);
    std::vector<wchar_t> out(text.size());
    for (auto _ : state)
    {
        for (size_t i = 0; i < text.size(); i++)
            out[i] = (wchar_t)(unsigned char)text[i];
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)text.size());
}
BENCHMARK(BM_ref_widen_bytes);

BENCHMARK_MAIN();
