// TextPack: line splitting, CR LF joining and pixel-width word wrapping.
#include "TextPack.h"

#include <algorithm>

std::string ToUtf8(const std::u32string& text)
{
    std::string out;
    for (char32_t c : text)
    {
        if (c < 0x80)
        {
            out.push_back((char)c);
        }
        else if (c < 0x800)
        {
            out.push_back((char)(0xC0 | (c >> 6)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
        else if (c < 0x10000)
        {
            out.push_back((char)(0xE0 | (c >> 12)));
            out.push_back((char)(0x80 | ((c >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
        else
        {
            out.push_back((char)(0xF0 | (c >> 18)));
            out.push_back((char)(0x80 | ((c >> 12) & 0x3F)));
            out.push_back((char)(0x80 | ((c >> 6) & 0x3F)));
            out.push_back((char)(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : text)
    {
        if (c == '\n')
        {
            if (!current.empty() && current.back() == '\r')
            {
                current.pop_back();
            }
            lines.push_back(current);
            current.clear();
        }
        else
        {
            current.push_back(c);
        }
    }
    if (!current.empty())
    {
        lines.push_back(current);
    }
    while (!lines.empty() && lines.back().empty())
    {
        lines.pop_back();
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines)
{
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (i > 0)
        {
            out += "\r\n";
        }
        out += lines[i];
    }
    return out;
}

namespace
{
// The indent of a list item's continuation lines: "- " items get three spaces, numbered items
// ("1. ", "12. ") as many spaces as come closest to the width of their number; other
// paragraphs none.
std::u32string ItemIndent(const std::u32string& text, const GlyphBlock& font)
{
    if (text.size() > 2 && text[0] == U'-' && text[1] == U' ')
    {
        return U"   ";
    }
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= U'0' && text[digits] <= U'9')
    {
        ++digits;
    }
    if (digits == 0 || digits > 3 || text.size() < digits + 3 || text[digits] != U'.' ||
        text[digits + 1] != U' ')
    {
        return U"";
    }
    const int space = std::max(font.Width(U" "), 1);
    const int marker = font.Width(text.substr(0, digits + 2));
    return std::u32string((size_t)std::max((marker + space / 2) / space, 1), U' ');
}
} // namespace

std::vector<std::string> WrapParagraphs(const std::vector<std::string>& paragraphs,
                                        const GlyphBlock& font, int maxWidth)
{
    std::vector<std::string> out;
    for (const std::string& paragraph : paragraphs)
    {
        const std::u32string text = ToU32(paragraph);
        if (text.empty())
        {
            out.emplace_back();
            continue;
        }
        const std::u32string indent = ItemIndent(text, font);
        // Words separated by single spaces; runs of spaces at the start are kept.
        std::vector<std::u32string> words;
        std::u32string word;
        for (char32_t c : text)
        {
            if (c == U' ' && !word.empty())
            {
                words.push_back(word);
                word.clear();
            }
            else if (c != U' ')
            {
                word.push_back(c);
            }
        }
        if (!word.empty())
        {
            words.push_back(word);
        }
        // A one-letter word ("a", "i", "w", "z"…) never ends a line: it stays with the next.
        for (size_t i = words.size(); i-- > 1;)
        {
            const char32_t c = words[i - 1][0];
            if (words[i - 1].size() == 1 && ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')))
            {
                words[i - 1] += U' ' + words[i];
                words.erase(words.begin() + (long)i);
            }
        }
        // Greedy filling; each line is kept as its words so that the last ones can move.
        std::vector<std::vector<std::u32string>> lines;
        std::u32string line;
        for (const std::u32string& w : words)
        {
            std::u32string candidate = line.empty() ? w : line + U' ' + w;
            if (!line.empty() && font.Width(candidate) > maxWidth)
            {
                lines.push_back({w});
                line = indent + w;
            }
            else
            {
                if (lines.empty())
                {
                    lines.emplace_back();
                }
                lines.back().push_back(w);
                line = candidate;
            }
        }
        // A paragraph never ends in a line of one word ("14);" alone): the last word of the
        // line before joins it, when the line before keeps a word and the pair fits.
        const size_t n = lines.size();
        if (n >= 2 && lines[n - 1].size() == 1 && lines[n - 2].size() >= 2)
        {
            const std::u32string pair = indent + lines[n - 2].back() + U' ' + lines[n - 1][0];
            if (font.Width(pair) <= maxWidth)
            {
                lines[n - 1].insert(lines[n - 1].begin(), lines[n - 2].back());
                lines[n - 2].pop_back();
            }
        }
        for (size_t i = 0; i < n; ++i)
        {
            std::u32string wrapped = i > 0 ? indent : U"";
            for (size_t k = 0; k < lines[i].size(); ++k)
            {
                wrapped += (k > 0 ? U" " : U"") + lines[i][k];
            }
            out.push_back(ToUtf8(wrapped));
        }
    }
    return out;
}
