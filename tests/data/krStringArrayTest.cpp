// Tests for krStringArray: line splitting and loading.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "data/krStringArray.h"
#include "krTestFiles.h"

namespace
{
std::vector<std::wstring> Lines(const krStringArray& array)
{
    std::vector<std::wstring> out;
    for (uint64_t i = 0; i < array.GetLinesCounf(); i++)
    {
        const wchar_t* text = array.GetLine(i)->GetString();
        out.push_back(text ? text : L"<none>");
    }
    return out;
}

std::vector<std::wstring> Load(const std::string& bytes)
{
    krStringArray array;
    krMemoryBlock view = {(uint8_t*)bytes.data(), bytes.size()};
    EXPECT_TRUE(array.LoadFromMemoryBlock(&view));
    return Lines(array);
}

using W = std::vector<std::wstring>;
} // namespace

TEST(krStringArray, SplitsOnlyAtCRLF)
{
    EXPECT_EQ(Load("a\r\nb"), (W{L"a", L"b"}));
    EXPECT_EQ(Load("a\r\n"), (W{L"a"}));
    EXPECT_EQ(Load("\r\n"), (W{L""}));
    EXPECT_EQ(Load("a\r\n\r\nb"), (W{L"a", L"", L"b"}));
    EXPECT_EQ(Load("a\nb"), (W{L"a\nb"}));
    EXPECT_EQ(Load("a\rb"), (W{L"a\rb"}));
    EXPECT_EQ(Load("a\r"), (W{L"a\r"}));
    EXPECT_EQ(Load("a\r\r\nb"), (W{L"a\r", L"b"}));
    EXPECT_EQ(Load(""), W{});
    EXPECT_EQ(Load("\xC5\xBC\r\nA"), (W{L"\u017C", L"A"}));
    EXPECT_EQ(Load("\xEF\xBB\xBFx"), (W{L"\uFEFFx"}));
}

TEST(krStringArray, LoadingAppendsAndClearEmpties)
{
    krStringArray array;
    std::string bytes = "one\r\ntwo";
    krMemoryBlock view = {(uint8_t*)bytes.data(), bytes.size()};
    ASSERT_TRUE(array.LoadFromMemoryBlock(&view));
    ASSERT_TRUE(array.LoadFromMemoryBlock(&view));
    EXPECT_EQ(Lines(array), (W{L"one", L"two", L"one", L"two"}));
    array.Clear();
    EXPECT_EQ(array.GetLinesCounf(), 0u);
    array.AppendLine(L"again");
    array.AppendLine(nullptr);
    ASSERT_EQ(array.GetLinesCounf(), 2u);
    EXPECT_EQ(array.GetLine(1)->GetString(), nullptr);
    EXPECT_EQ(array.GetLine(2), nullptr);
}

TEST(krStringArray, ParseBufferWithOtherSeparators)
{
    krStringArray array;
    const wchar_t text[] = L"a|b||c|";
    array.ParseBuffer(text, 7, L"|", 1);
    EXPECT_EQ(Lines(array), (W{L"a", L"b", L"", L"c"}));
    array.Clear();
    // A separator may not be matched past the given count.
    array.ParseBuffer(L"ab\r\n", 3, krStringArray::EOL, 2);
    EXPECT_EQ(Lines(array), (W{L"ab\r"}));
    array.Clear();
    array.ParseBuffer(L"abc", 3, L"", 0);
    EXPECT_EQ(Lines(array), (W{L"abc"}));
}

TEST(krStringArray, CrunchedBlocksAndFiles)
{
    std::string bytes = "Zagraj\r\nO grze";
    krMemoryBlock view = {(uint8_t*)bytes.data(), bytes.size()};
    krMemoryBlock* packed = krCrunchMemoryBlock(&view);
    ASSERT_NE(packed, nullptr);
    krStringArray array;
    EXPECT_TRUE(array.LoadFromCrunchedMemoryBlock(packed));
    EXPECT_FALSE(array.LoadFromCrunchedMemoryBlock(&view)); // not crunched
    krFreeMemoryBlock(packed);
    EXPECT_EQ(Lines(array), (W{L"Zagraj", L"O grze"}));

    std::string dir = krTestTempDir();
    ASSERT_TRUE(krTestWriteFile(dir + "/t.txt", {'x', '\r', '\n', 'y'}));
    EXPECT_TRUE(array.LoadFromFile((dir + "/t.txt").c_str()));
    EXPECT_FALSE(array.LoadFromFile((dir + "/missing.txt").c_str()));
    // A folder opens for reading, but its end position is no size to allocate.
    EXPECT_FALSE(array.LoadFromFile(dir.c_str()));
    EXPECT_EQ(Lines(array), (W{L"Zagraj", L"O grze", L"x", L"y"}));
}
