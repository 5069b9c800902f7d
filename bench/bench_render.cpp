// Renderer benchmarks: TGA decoding (uncompressed and run-length encoded, beside memcpy of the
// same bytes), packed mesh block loading, and font printing. The GL benchmarks need a display
// (scripts/with-display.sh); without one they are left out.
#include <benchmark/benchmark.h>

#include <SDL.h>
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/krFont.h"
#include "render/krTexture.h"
#include "render/krVertexArray.h"

namespace
{

typedef std::vector<uint8_t> TBytes;

const int kSide = 1024;

void PutU32(TBytes& out, uint32_t v)
{
    for (int i = 0; i < 4; i++)
    {
        out.push_back(uint8_t(v >> (8 * i)));
    }
}

void PutF32(TBytes& out, float f)
{
    uint32_t bits;
    memcpy(&bits, &f, sizeof(bits));
    PutU32(out, bits);
}

TBytes Header(uint8_t type)
{
    TBytes h(18, 0);
    h[2] = type;
    h[12] = kSide & 0xFF;
    h[13] = kSide >> 8;
    h[14] = kSide & 0xFF;
    h[15] = kSide >> 8;
    h[16] = 32;
    h[17] = 8;
    return h;
}

// A picture with flat areas and gradients, like the game's cards and buttons.
uint32_t PixelAt(int x, int y)
{
    if ((x / 64 + y / 64) % 2 == 0)
    {
        return 0xFF204080u; // flat
    }
    return 0xFF000000u | uint32_t((x * 7) & 0xFF) << 16 | uint32_t((y * 3) & 0xFF) << 8 |
           uint32_t((x + y) & 0xFF);
}

TBytes UncompressedImage()
{
    TBytes out = Header(2);
    for (int y = 0; y < kSide; y++)
    {
        for (int x = 0; x < kSide; x++)
        {
            PutU32(out, PixelAt(x, y));
        }
    }
    return out;
}

// Run packets for repeated pixels, raw packets otherwise (at most 128 pixels each).
TBytes CompressedImage()
{
    TBytes out = Header(10);
    std::vector<uint32_t> pixels;
    for (int y = 0; y < kSide; y++)
    {
        for (int x = 0; x < kSide; x++)
        {
            pixels.push_back(PixelAt(x, y));
        }
    }
    size_t i = 0;
    while (i < pixels.size())
    {
        size_t run = 1;
        while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i])
        {
            run++;
        }
        if (run > 1)
        {
            out.push_back(uint8_t(0x80 | (run - 1)));
            PutU32(out, pixels[i]);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < pixels.size() && raw < 128 &&
               (i + raw + 1 >= pixels.size() || pixels[i + raw] != pixels[i + raw + 1]))
        {
            raw++;
        }
        out.push_back(uint8_t(raw - 1));
        for (size_t k = 0; k < raw; k++)
        {
            PutU32(out, pixels[i + k]);
        }
        i += raw;
    }
    return out;
}

void DecodeTGA(benchmark::State& state, const TBytes& bytes)
{
    TBytes copy = bytes;
    krMemoryBlock block = {copy.data(), copy.size()};
    for (auto _ : state)
    {
        TTGATexture* t = LoadFromMemoryBlockTGA(&block);
        if (!t)
        {
            state.SkipWithError("decode failed");
            break;
        }
        benchmark::DoNotOptimize(t->pixels);
        FreeTGATexture(t);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSide * kSide * 4);
    state.counters["file_bytes"] = double(bytes.size());
}

void BM_DecodeTGAUncompressed(benchmark::State& state)
{
    static const TBytes image = UncompressedImage();
    DecodeTGA(state, image);
}
BENCHMARK(BM_DecodeTGAUncompressed)->Unit(benchmark::kMillisecond);

void BM_DecodeTGARunLength(benchmark::State& state)
{
    static const TBytes image = CompressedImage();
    DecodeTGA(state, image);
}
BENCHMARK(BM_DecodeTGARunLength)->Unit(benchmark::kMillisecond);

// The same pixel bytes copied into a fresh buffer: the floor for any decoder.
void BM_MemcpyPixels(benchmark::State& state)
{
    const size_t size = size_t(kSide) * kSide * 4;
    std::vector<uint8_t> source(size, 0x5A);
    for (auto _ : state)
    {
        uint8_t* target = static_cast<uint8_t*>(malloc(size));
        memcpy(target, source.data(), size);
        benchmark::DoNotOptimize(target);
        free(target);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}
BENCHMARK(BM_MemcpyPixels)->Unit(benchmark::kMillisecond);

// A grid mesh of 10,000 triangles with shared positions, normals and texture coordinates.
TBytes MeshBlock()
{
    const int cells = 50 * 100; // 50 x 100 quads, two triangles each
    const int columns = 51, rows = 101;
    TBytes out;
    PutU32(out, 1);
    PutF32(out, 0);
    PutF32(out, 0);
    PutF32(out, 1);
    PutU32(out, uint32_t(columns * rows));
    for (int y = 0; y < rows; y++)
    {
        for (int x = 0; x < columns; x++)
        {
            PutF32(out, float(x) / 50);
            PutF32(out, float(y) / 100);
        }
    }
    PutU32(out, uint32_t(columns * rows));
    for (int y = 0; y < rows; y++)
    {
        for (int x = 0; x < columns; x++)
        {
            PutF32(out, float(x));
            PutF32(out, float(y));
            PutF32(out, float((x * y) % 7) * 0.1f);
        }
    }
    PutU32(out, uint32_t(cells * 2));
    for (int y = 0; y < rows - 1; y++)
    {
        for (int x = 0; x < columns - 1; x++)
        {
            const int a = y * columns + x + 1, b = a + 1, c = a + columns, d = c + 1;
            const int tri[2][3] = {{a, b, d}, {a, d, c}};
            for (const auto& t : tri)
            {
                for (int k : t)
                {
                    PutU32(out, uint32_t(k));
                }
                for (int k = 0; k < 3; k++)
                {
                    PutU32(out, 1);
                }
                for (int k : t)
                {
                    PutU32(out, uint32_t(k));
                }
            }
        }
    }
    return out;
}

// The CPU half: parse, flatten, bounding box and re-centring.
void BM_MeshBlockParse10kTriangles(benchmark::State& state)
{
    TBytes bytes = MeshBlock();
    krMemoryBlock block = {bytes.data(), bytes.size()};
    for (auto _ : state)
    {
        krVertexArray mesh(GL_TRIANGLES);
        mesh.SetMoveToCenter(true);
        mesh.ParseMeshBlock(&block);
        mesh.ExpandFaces();
        mesh.CalculateBB();
        benchmark::DoNotOptimize(mesh.vertices);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 10000);
    state.counters["block_bytes"] = double(bytes.size());
}
BENCHMARK(BM_MeshBlockParse10kTriangles)->Unit(benchmark::kMicrosecond);

// The whole load, buffers uploaded.
void BM_MeshBlockLoad10kTriangles(benchmark::State& state)
{
    TBytes bytes = MeshBlock();
    krMemoryBlock block = {bytes.data(), bytes.size()};
    for (auto _ : state)
    {
        krVertexArray mesh(GL_TRIANGLES);
        mesh.SetMoveToCenter(true);
        if (!mesh.LoadFromMemoryBlock(&block))
        {
            state.SkipWithError("load failed");
            break;
        }
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 10000);
}

// Print of a 60-character line with a font of 12 x 16 glyphs (codes 32 to 127), finished each time.
// Per character Print issues 10 GL calls (4 translations, a texture bind, two buffer binds,
// two pointer calls, one draw), plus 11 per line for setup and teardown.
void BM_Print60Characters(benchmark::State& state)
{
    TBytes block;
    for (int c = 0; c < 128; c++)
    {
        const bool shown = c >= 32;
        const int w = shown ? 12 : 0, h = shown ? 16 : 0;
        PutU32(block, uint32_t(w));
        PutU32(block, uint32_t(h));
        PutU32(block, 13);
        PutU32(block, 14);
        PutU32(block, 1);
        for (int i = 0; i < w * h; i++)
        {
            block.push_back(uint8_t((i * 37 + c) & 0xFF));
        }
    }
    krMemoryBlock view = {block.data(), block.size()};
    krFont font(ftYDown);
    if (!font.LoadFromMemory(&view))
    {
        state.SkipWithError("font failed");
        return;
    }
    const wchar_t* line = L"The quick brown fox jumps over the lazy dog, 0123456789 ABCD";
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1024, 256, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const size_t length = wcslen(line);
    for (auto _ : state)
    {
        font.Print(10, 100, 0, line);
        glFinish();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(length));
    state.counters["chars"] = double(length);
    state.counters["gl_calls_per_char"] = 10.0 + 11.0 / double(length);
    state.counters["time_per_char"] =
        benchmark::Counter(double(length), benchmark::Counter::kIsIterationInvariantRate |
                                               benchmark::Counter::kInvert);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
    {
        window = SDL_CreateWindow(nullptr, 0, 0, 1024, 256, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        context = window ? SDL_GL_CreateContext(window) : nullptr;
    }
    if (context)
    {
        benchmark::RegisterBenchmark("BM_MeshBlockLoad10kTriangles", BM_MeshBlockLoad10kTriangles)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_Print60Characters", BM_Print60Characters)
            ->Unit(benchmark::kMicrosecond);
    }
    else
    {
        fprintf(stderr, "no OpenGL context: GL benchmarks left out\n");
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (context)
    {
        SDL_GL_DeleteContext(context);
    }
    if (window)
    {
        SDL_DestroyWindow(window);
    }
    SDL_Quit();
    return 0;
}
