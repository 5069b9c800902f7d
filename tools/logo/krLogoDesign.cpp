// krLogoDesign: parser for the engine logo's design file.
#include "krLogoDesign.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace
{
const int kMaxSide = 4096;
const int kMaxCoord = 8192;
const int kMaxPixels = 512;
const int kMaxRadius = 32;
const size_t kMaxLayers = 64;
const size_t kMaxLineLength = 1024;

bool ParseInt(const std::string& word, int low, int high, int& out)
{
    if (word.empty() || word.size() > 12)
    {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const long value = strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
    {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
    {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f')
    {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F')
    {
        return c - 'A' + 10;
    }
    return -1;
}

bool ParseColor(const std::string& word, TLogoColor_s& out)
{
    if (word.size() != 6 && word.size() != 8)
    {
        return false;
    }
    uint8_t channels[4] = {0, 0, 0, 255};
    for (size_t i = 0; i < word.size(); i += 2)
    {
        const int hi = HexDigit(word[i]);
        const int lo = HexDigit(word[i + 1]);
        if (hi < 0 || lo < 0)
        {
            return false;
        }
        channels[i / 2] = static_cast<uint8_t>(hi * 16 + lo);
    }
    out = {channels[0], channels[1], channels[2], channels[3]};
    return true;
}

bool Fail(std::string& error, int lineNumber, const std::string& what)
{
    error = "line " + std::to_string(lineNumber) + ": " + what;
    return false;
}
} // namespace

const std::string* FindLogoFont(const TLogoDesign_s& design, const std::string& name)
{
    for (const TLogoFont_s& font : design.fonts)
    {
        if (font.name == name)
        {
            return &font.file;
        }
    }
    return nullptr;
}

bool ParseLogoDesign(const std::string& source, TLogoDesign_s& design, std::string& error)
{
    design = TLogoDesign_s();
    std::istringstream lines(source);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line))
    {
        lineNumber++;
        if (line.size() > kMaxLineLength)
        {
            return Fail(error, lineNumber, "line too long");
        }
        const size_t hash = line.find('#');
        if (hash != std::string::npos)
        {
            line.erase(hash);
        }
        std::istringstream in(line);
        std::vector<std::string> words;
        std::string word;
        while (in >> word)
        {
            words.push_back(word);
        }
        if (words.empty())
        {
            continue;
        }
        const std::string& op = words[0];
        if (op == "size")
        {
            if (words.size() != 3 || !ParseInt(words[1], 1, kMaxSide, design.width) ||
                !ParseInt(words[2], 1, kMaxSide, design.height))
            {
                return Fail(error, lineNumber, "size needs a width and a height");
            }
        }
        else if (op == "font")
        {
            if (words.size() != 3 || words[2].find('/') != std::string::npos ||
                words[2].find("..") != std::string::npos)
            {
                return Fail(error, lineNumber, "font needs a name and a plain file name");
            }
            if (FindLogoFont(design, words[1]))
            {
                return Fail(error, lineNumber, "font " + words[1] + " named twice");
            }
            design.fonts.push_back({words[1], words[2]});
        }
        else if (op == "text" || op == "line")
        {
            if (design.layers.size() >= kMaxLayers)
            {
                return Fail(error, lineNumber, "too many layers");
            }
            TLogoLayer_s layer = TLogoLayer_s();
            if (op == "text")
            {
                layer.kind = llkText;
                if (words.size() < 11)
                {
                    return Fail(error, lineNumber, "text needs ten fields");
                }
                layer.font = words[1];
                if (!FindLogoFont(design, layer.font))
                {
                    return Fail(error, lineNumber, "unknown font " + layer.font);
                }
                if (!ParseInt(words[2], 1, kMaxPixels, layer.pixels) ||
                    !ParseInt(words[3], -kMaxCoord, kMaxCoord, layer.x) ||
                    !ParseInt(words[4], -kMaxCoord, kMaxCoord, layer.baseline) ||
                    !ParseInt(words[5], -kMaxPixels, kMaxPixels, layer.tracking) ||
                    !ParseColor(words[6], layer.top) || !ParseColor(words[7], layer.bottom) ||
                    !ParseColor(words[8], layer.glow) ||
                    !ParseInt(words[9], 0, kMaxRadius, layer.glowRadius))
                {
                    return Fail(error, lineNumber, "bad text field");
                }
                for (size_t i = 10; i < words.size(); i++)
                {
                    layer.text += (i > 10 ? " " : "") + words[i];
                }
                for (char c : layer.text)
                {
                    if (c < 0x20 || c > 0x7E)
                    {
                        return Fail(error, lineNumber, "text must be printable ASCII");
                    }
                }
            }
            else
            {
                layer.kind = llkLine;
                if (words.size() != 7 || !ParseInt(words[1], -kMaxCoord, kMaxCoord, layer.x0) ||
                    !ParseInt(words[2], -kMaxCoord, kMaxCoord, layer.x1) ||
                    !ParseInt(words[3], -kMaxCoord, kMaxCoord, layer.y) ||
                    !ParseInt(words[4], 1, kMaxPixels, layer.thickness) ||
                    !ParseColor(words[5], layer.color) ||
                    !ParseInt(words[6], 0, kMaxCoord, layer.fade))
                {
                    return Fail(error, lineNumber, "line needs x0 x1 y thickness colour fade");
                }
            }
            design.layers.push_back(layer);
        }
        else
        {
            return Fail(error, lineNumber, "unknown instruction " + op);
        }
    }
    if (design.width == 0)
    {
        return Fail(error, lineNumber, "no size given");
    }
    return true;
}
