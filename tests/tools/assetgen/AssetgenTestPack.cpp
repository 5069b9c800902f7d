// Test helpers: loading the generated pack.
#include "AssetgenTestPack.h"

#include <memory>

#include "data/krMemoryBlock.h"

const krResource* krTestPack()
{
    static std::unique_ptr<krResource> pack;
    static bool tried = false;
    if (!tried)
    {
        tried = true;
        pack = std::make_unique<krResource>();
        if (!pack->ReadFromFile(VOSSA_PACK_FILE))
        {
            pack.reset();
        }
    }
    return pack.get();
}

std::vector<uint8_t> krTestPackEntry(const std::string& name)
{
    std::vector<uint8_t> out;
    const krResource* pack = krTestPack();
    krMemoryBlock* block = pack ? pack->Get(name.c_str()) : nullptr;
    krMemoryBlock* plain = block ? krDecrunchMemoryBlock(block) : nullptr;
    if (plain)
    {
        out.assign(plain->data, plain->data + plain->size);
        krFreeMemoryBlock(plain);
    }
    return out;
}
