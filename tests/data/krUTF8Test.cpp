// Tests for UTF-8 decoding and encoding.
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "data/krUTF8.h"

namespace
{
std::wstring Decode(const std::string& bytes)
{
    std::vector<wchar_t> out(bytes.size() + 1);
    uint64_t n = krUTF8Decode(bytes.data(), bytes.size(), out.data(), 0);
    return std::wstring(out.data(), n);
}

std::string Encode(const std::wstring& text)
{
    std::string out(text.size() * 3, '\0');
    uint64_t n = krUTF8Encode(text.data(), text.size(), &out[0], 0);
    out.resize(n);
    return out;
}

// What the allocating wrappers return, which they free; none for null.
template <typename TChar> std::optional<std::basic_string<TChar>> Take(TChar* text)
{
    if (!text)
        return std::nullopt;
    std::basic_string<TChar> copy(text);
    free(text);
    return copy;
}
} // namespace

TEST(krUTF8, DecodesReferenceSequences)
{
    EXPECT_EQ(Decode("\xC3\xB3"), std::wstring(1, 0xF3));
    EXPECT_EQ(Decode("\xC5\xBC"), std::wstring(1, 0x17C));
    EXPECT_EQ(Decode("\xE2\x82\xAC"), std::wstring(1, 0x20AC));
    EXPECT_EQ(Decode("\xEF\xBB\xBF"
                     "a"),
              (std::wstring{(wchar_t)0xFEFF, L'a'}));
    EXPECT_EQ(Decode(std::string("\xC0\x80", 2)), std::wstring(1, 0)); // overlong accepted
    EXPECT_EQ(Decode("\x80"), std::wstring(1, (wchar_t)-128));
    EXPECT_EQ(Encode(std::wstring(1, (wchar_t)-128)), "\x80");
}

TEST(krUTF8, CountsAndCapacity)
{
    EXPECT_EQ(krUTF8Decode("abc", 3, nullptr, 0), 3u);
    EXPECT_EQ(krUTF8Decode("\xC5\xBC"
                           "A",
                           3, nullptr, 0),
              2u);
    wchar_t out[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(krUTF8Decode("abcdef", 6, out, 2), 2u);
    EXPECT_EQ(out[1], L'b');
    EXPECT_EQ(out[2], L'x');

    const wchar_t text[] = {0x17C, 0x20AC, L'a'};
    EXPECT_EQ(krUTF8Encode(text, 3, nullptr, 0), 6u);
    char buf[8] = "zzzzzzz";
    // Capacity 4: the euro sign (3 bytes) does not fit behind the 2-byte character.
    EXPECT_EQ(krUTF8Encode(text, 3, buf, 4), 2u);
    EXPECT_EQ(buf[2], 'z');
}

TEST(krUTF8, CutOffSequencesStayWithinTheInput)
{
    // Each cut lead decodes like a stray byte and encodes back to itself.
    const char* cut[] = {"\xE2\x82", "\xE2", "\xC5", "\xF0\x9F"};
    for (const char* s : cut)
    {
        std::string bytes(s);
        // Copy into an exact-size heap buffer so that a read past the end is caught.
        char* exact = (char*)malloc(bytes.size());
        memcpy(exact, bytes.data(), bytes.size());
        uint64_t n = krUTF8Decode(exact, bytes.size(), nullptr, 0);
        EXPECT_EQ(n, bytes.size());
        std::vector<wchar_t> out(n);
        krUTF8Decode(exact, bytes.size(), out.data(), 0);
        EXPECT_EQ(Encode(std::wstring(out.begin(), out.end())), bytes);
        free(exact);
    }
    EXPECT_EQ(Decode("a\xE2\x82"), (std::wstring{L'a', (wchar_t)-30, (wchar_t)-126}));
}

TEST(krUTF8, EncodesReferenceCharacters)
{
    EXPECT_EQ(Encode(std::wstring(1, 0x17C)), "\xC5\xBC");
    EXPECT_EQ(Encode(std::wstring(1, 0x20AC)), "\xE2\x82\xAC");
    EXPECT_EQ(Encode(std::wstring(1, 0x1F600)), "");
    EXPECT_EQ(Encode(std::wstring(1, 0xD800)), "\xED\xA0\x80");
    std::wstring all;
    for (wchar_t c = 1; c <= 0xFFFF; c++)
        all += c;
    EXPECT_EQ(Decode(Encode(all)), all);
}

TEST(krUTF8, AllocatingWrappers)
{
    EXPECT_EQ(Take(krMBStrToWchar("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87")),
              L"Za\u017C\u00F3\u0142\u0107");
    EXPECT_EQ(Take(krMBStrToWchar("")), L"");
    // A lead byte right before the terminator does not pull the terminator in.
    EXPECT_EQ(Take(krMBStrToWchar("a\xE2")).value_or(L"").size(), 2u);

    const wchar_t mixed[] = {0x1F600, L'a', 0}, onlyEmoji[] = {0x1F600, 0};
    EXPECT_EQ(Take(krWcharToMBStr(mixed)), "a");
    EXPECT_EQ(Take(krWcharToMBStr(onlyEmoji)), "");
}
