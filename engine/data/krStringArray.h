// krStringArray: an ordered list of krString lines loaded from UTF-8 text split at CR LF.
// Loading appends; the array owns every line.
#pragma once

#include <cstdint>
#include <cwchar>

#include "data/krMemoryBlock.h"
#include "data/krString.h"

class krStringArray
{
public:
    // The line separator: CR LF.
    static const wchar_t EOL[3];

    krStringArray();
    virtual ~krStringArray();

    krStringArray(const krStringArray&) = delete;
    krStringArray& operator=(const krStringArray&) = delete;

    void Clear();
    void AppendLine(const wchar_t* text);
    krString* GetLine(uint64_t index) const;
    uint64_t GetLinesCounf() const;

    void ParseBuffer(const wchar_t* buffer, uint64_t count, const wchar_t* separator,
                     uint64_t separatorLength);
    bool LoadFromMemoryBlock(const krMemoryBlock* block);
    bool LoadFromCrunchedMemoryBlock(const krMemoryBlock* block);
    bool LoadFromFile(const char* path);

protected:
    krString** lines;
    uint64_t lineCount;
};
