// MusicComposer: the background music, synthesised from a small score: slow pad chords over a
// soft bass, sparse FM bells and a breath of filtered noise, in a hall reverb. Everything is
// rendered circularly (what sounds past the end continues at the start, the reverb runs in
// its steady state), so the piece loops without a seam.
#pragma once

#include <string>
#include <vector>

struct TChord_s
{
    int beats;              // length
    int bass;               // MIDI note
    std::vector<int> notes; // pad voicing (MIDI notes)
};

struct TBell_s
{
    float beat; // start, in beats from the start of the loop
    int note;   // MIDI note
    float velocity;
};

struct TScore_s
{
    float tempo = 72; // beats per minute
    std::vector<TChord_s> chords;
    std::vector<TBell_s> bells;
};

// Reads a score text: "tempo <bpm>", "chord <beats> <bass> <notes…>", "bell <beat> <note>
// <velocity>"; '#' starts a comment. False (with `error` set) on a malformed line.
bool ParseScore(const std::string& text, TScore_s& score, std::string& error);

// Interleaved stereo at `rate`, peak about 0.8; the length is exactly the score's beats.
std::vector<float> RenderMusic(const TScore_s& score, int rate);

// A short two-note chime, interleaved stereo at `rate`.
std::vector<float> RenderChime(int rate);
