// krTexture: TGA decoding (uncompressed and run-length encoded true colour) and upload as
// OpenGL textures. See krTexture.h for the accepted input.
#include "render/krTexture.h"

#include "render/krGLBuffers.h"

#include <cstdlib>
#include <cstring>

#include "data/krByteOrder.h"

const uint8_t uTGAcompare[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const uint8_t cTGAcompare[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};

namespace
{

const uint64_t kHeaderSize = 18;
const uint8_t kTypeUncompressed = 2;
const uint8_t kTypeCompressed = 10;

// Checks the 18-byte header for a supported image of `type` and fills the record's header
// fields. Returns false for anything this decoder does not handle.
bool ReadHeader(const krMemoryBlock* block, uint8_t type, TTGATexture* texture)
{
    if (!block || !block->data || !texture || block->size < kHeaderSize)
    {
        return false;
    }
    const uint8_t* h = block->data;
    // No image ID, no colour map, the requested image type.
    if (h[0] != 0 || h[1] != 0 || h[2] != type)
    {
        return false;
    }
    uint32_t width = krLoadU16LE(h + 12);
    uint32_t height = krLoadU16LE(h + 14);
    uint32_t bits = h[16];
    if (width == 0 || height == 0 || (bits != 24 && bits != 32))
    {
        return false;
    }
    texture->width = width;
    texture->height = height;
    texture->bitsPerPixel = bits;
    texture->format = bits == 24 ? GL_RGB : GL_RGBA;
    return true;
}

} // namespace

bool ReadUncompressedTGA(const krMemoryBlock* block, TTGATexture* texture)
{
    if (!texture)
    {
        return false;
    }
    texture->pixels = nullptr;
    if (!ReadHeader(block, kTypeUncompressed, texture))
    {
        return false;
    }
    const uint64_t bytesPerPixel = texture->bitsPerPixel / 8;
    const uint64_t size = uint64_t(texture->width) * texture->height * bytesPerPixel;
    if (block->size - kHeaderSize < size)
    {
        return false; // truncated pixel data
    }
    uint8_t* pixels = static_cast<uint8_t*>(malloc(size));
    if (!pixels)
    {
        return false;
    }
    memcpy(pixels, block->data + kHeaderSize, size);
    // B, G, R (, A) -> R, G, B (, A)
    for (uint64_t i = 0; i < size; i += bytesPerPixel)
    {
        uint8_t t = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = t;
    }
    texture->pixels = pixels;
    return true;
}

namespace
{
// Decodes the run-length packets of an image of BPP bytes per pixel (3 or 4) into `out`,
// swapping blue and red. The pixel size is a compile-time constant so that the per-pixel
// copies are plain moves: card faces run to millions of pixels each. False when the data is
// truncated or a packet runs past the image.
template <uint64_t BPP>
bool DecodeRunLengthPixels(const uint8_t* in, uint64_t read, uint64_t end, uint8_t* out,
                           uint64_t pixelCount)
{
    uint64_t done = 0;
    while (done < pixelCount)
    {
        if (read >= end)
        {
            return false; // truncated
        }
        const uint8_t head = in[read++];
        const uint64_t count = (head & 0x7F) + 1;
        if (count > pixelCount - done)
        {
            return false; // packet runs past the image
        }
        if (head & 0x80)
        {
            if (end - read < BPP)
            {
                return false;
            }
            uint8_t pixel[BPP];
            pixel[0] = in[read + 2];
            pixel[1] = in[read + 1];
            pixel[2] = in[read];
            if (BPP == 4)
            {
                pixel[BPP - 1] = in[read + BPP - 1];
            }
            read += BPP;
            for (uint64_t i = 0; i < count; i++)
            {
                memcpy(out, pixel, BPP);
                out += BPP;
            }
        }
        else
        {
            if ((end - read) / BPP < count)
            {
                return false;
            }
            const uint8_t* p = in + read;
            for (uint64_t i = 0; i < count; i++)
            {
                out[0] = p[2];
                out[1] = p[1];
                out[2] = p[0];
                if (BPP == 4)
                {
                    out[BPP - 1] = p[BPP - 1];
                }
                p += BPP;
                out += BPP;
            }
            read += count * BPP;
        }
        done += count;
    }
    return true;
}
} // namespace

bool ReadCompressedTGA(const krMemoryBlock* block, TTGATexture* texture)
{
    if (!texture)
    {
        return false;
    }
    texture->pixels = nullptr;
    if (!ReadHeader(block, kTypeCompressed, texture))
    {
        return false;
    }
    const uint64_t bytesPerPixel = texture->bitsPerPixel / 8;
    const uint64_t pixelCount = uint64_t(texture->width) * texture->height;
    const uint64_t end = block->size;
    // Every packet takes at least 1 + bytesPerPixel bytes and yields at most 128 pixels: refuse
    // images the data cannot fill before allocating for them.
    if ((end - kHeaderSize) / (1 + bytesPerPixel) * 128 < pixelCount)
    {
        return false;
    }
    uint8_t* pixels = static_cast<uint8_t*>(malloc(pixelCount * bytesPerPixel));
    if (!pixels)
    {
        return false;
    }
    const bool ok =
        bytesPerPixel == 4
            ? DecodeRunLengthPixels<4>(block->data, kHeaderSize, end, pixels, pixelCount)
            : DecodeRunLengthPixels<3>(block->data, kHeaderSize, end, pixels, pixelCount);
    if (!ok)
    {
        free(pixels);
        return false;
    }
    texture->pixels = pixels;
    return true;
}

TTGATexture* LoadFromMemoryBlockTGA(const krMemoryBlock* block)
{
    if (!block || !block->data || block->size < kHeaderSize)
    {
        return nullptr;
    }
    TTGATexture* texture = static_cast<TTGATexture*>(calloc(1, sizeof(TTGATexture)));
    if (!texture)
    {
        return nullptr;
    }
    bool ok = block->data[2] == kTypeUncompressed ? ReadUncompressedTGA(block, texture)
                                                  : ReadCompressedTGA(block, texture);
    if (!ok)
    {
        FreeTGATexture(texture);
        return nullptr;
    }
    return texture;
}

void FreeTGATexture(TTGATexture* texture)
{
    if (!texture)
    {
        return;
    }
    free(texture->pixels);
    free(texture);
}

uint32_t TextureFromTGATexture(const TTGATexture* texture)
{
    if (!texture || !texture->pixels || texture->width == 0 || texture->height == 0)
    {
        return 0;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Rows of 24-bit images are tightly packed, not padded to four bytes.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(texture->width), GLsizei(texture->height), 0,
                 texture->format, GL_UNSIGNED_BYTE, texture->pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

uint32_t TextureFromMemoryBlockTGA(const krMemoryBlock* block)
{
    TTGATexture* texture = LoadFromMemoryBlockTGA(block);
    if (!texture)
    {
        return 0;
    }
    uint32_t name = TextureFromTGATexture(texture);
    FreeTGATexture(texture);
    return name;
}

uint32_t TextureFromCrunchedMemoryBlockTGA(const krMemoryBlock* block)
{
    krMemoryBlock* plain = krDecrunchMemoryBlock(block);
    if (!plain)
    {
        return 0;
    }
    uint32_t name = TextureFromMemoryBlockTGA(plain);
    krFreeMemoryBlock(plain);
    return name;
}
