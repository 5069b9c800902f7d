// Tests for krString, krwcsdup and krExplode.
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "data/krString.h"

namespace
{
std::vector<std::wstring> Explode(const wchar_t* text, const wchar_t* delimiter, int32_t* count)
{
    std::vector<std::wstring> out;
    wchar_t** pieces = krExplode(text, delimiter, count);
    for (int32_t i = 0; pieces && i < *count; i++)
    {
        out.push_back(pieces[i]);
        free(pieces[i]);
    }
    free(pieces);
    return out;
}
} // namespace

TEST(krString, ConstructionAndLength)
{
    krString none;
    EXPECT_EQ(none.GetString(), nullptr);
    EXPECT_EQ(none.Length(), 0u);
    krString fromNull((const wchar_t*)nullptr);
    EXPECT_EQ(fromNull.GetString(), nullptr);
    krString empty(L"");
    ASSERT_NE(empty.GetString(), nullptr);
    EXPECT_EQ(empty.Length(), 0u);
    krString utf8("\xC5\xBC\xC3\xB3\xC5\x82w");
    EXPECT_EQ(std::wstring(utf8.GetString()), L"\u017C\u00F3\u0142w");
    EXPECT_EQ(utf8.Length(), 4u);

    wchar_t source[] = L"copy";
    krString copy(source);
    source[0] = L'X';
    EXPECT_EQ(std::wstring(copy.GetString()), L"copy");
}

TEST(krString, AssignmentCopiesAndHandlesSelf)
{
    krString a(L"alpha");
    krString b;
    b = a;
    ASSERT_NE(b.GetString(), a.GetString());
    EXPECT_EQ(std::wstring(b.GetString()), L"alpha");
    krString& same = b;
    b = same;
    EXPECT_EQ(std::wstring(b.GetString()), L"alpha");
    b = b.GetString() + 2; // a tail of its own text
    EXPECT_EQ(std::wstring(b.GetString()), L"pha");
    b = (const wchar_t*)nullptr;
    EXPECT_EQ(b.GetString(), nullptr);
    krString none;
    a.Assign(none);
    EXPECT_EQ(a.GetString(), nullptr);
}

TEST(krString, Append)
{
    krString s;
    s.Append(L"ab");
    EXPECT_EQ(std::wstring(s.GetString()), L"ab");
    s.Append(nullptr);
    EXPECT_EQ(std::wstring(s.GetString()), L"ab");
    s += L"cd";
    krString tail(L"ef");
    s += tail;
    EXPECT_EQ(std::wstring(s.GetString()), L"abcdef");
    s += s; // itself
    EXPECT_EQ(std::wstring(s.GetString()), L"abcdefabcdef");
    krString none;
    s += none;
    EXPECT_EQ(s.Length(), 12u);
}

TEST(krString, Wcsdup)
{
    wchar_t* copy = krwcsdup(L"x\u017C");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(std::wstring(copy), L"x\u017C");
    free(copy);
    EXPECT_EQ(krwcsdup(nullptr), nullptr);
}

TEST(krExplode, SplitsAtEveryDelimiter)
{
    int32_t count = -1;
    EXPECT_EQ(Explode(L"a,b,,c", L",", &count), (std::vector<std::wstring>{L"a", L"b", L"", L"c"}));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Explode(L"a,", L",", &count), (std::vector<std::wstring>{L"a", L""}));
    EXPECT_EQ(Explode(L",", L",", &count), (std::vector<std::wstring>{L"", L""}));
    EXPECT_EQ(Explode(L"abc", L",", &count), (std::vector<std::wstring>{L"abc"}));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Explode(L"one::two::", L"::", &count),
              (std::vector<std::wstring>{L"one", L"two", L""}));
    EXPECT_EQ(Explode(L"ab:", L"::", &count), (std::vector<std::wstring>{L"ab:"}));

    count = 7;
    EXPECT_EQ(krExplode(L"", L",", &count), nullptr);
    EXPECT_EQ(count, 0);
}

TEST(krExplode, EmptyAndOverlappingDelimiters)
{
    int32_t count = 0;
    EXPECT_EQ(Explode(L"abc", L"", &count), (std::vector<std::wstring>{L"abc"}));
    EXPECT_EQ(count, 1);
    // A match is consumed whole: "---" at "--" is "" + "-".
    EXPECT_EQ(Explode(L"---", L"--", &count), (std::vector<std::wstring>{L"", L"-"}));
    EXPECT_EQ(Explode(L"a----b", L"--", &count), (std::vector<std::wstring>{L"a", L"", L"b"}));
}
