// PackPreview: PNG sheets for judging the pack by eye: pack-contact-sheet.png (every card
// face and the back, the logo, clouds, star and buttons over the game's default backdrop,
// with captions and sample lines drawn by the pack's fonts as the game draws them) and
// pack-font-arial.png / pack-font-ss10.png (every glyph and a Polish sample line).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Canvas.h"
#include "GlyphBlock.h"

struct TPackPreview_s
{
    const std::vector<std::pair<std::string, TImage_s>>& cardFaces; // shown at their size
    const TImage_s& back;
    const std::vector<std::pair<std::string, TImage_s>>& pictures; // logo, clouds, star, buttons
    const GlyphBlock* mainFont;
    const GlyphBlock* smallFont;
};

bool WritePackPreviews(const std::string& dir, const TPackPreview_s& preview, std::string& error);
