// MusicComposer: score parsing, circular synthesis of pad, bass, bells and air, the hall
// reverb in its steady state, and the chime.
#include "MusicComposer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

namespace
{
const double kTwoPi = 6.283185307179586;

double MidiHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// A stereo loop that wraps every write around its length.
struct TLoop_s
{
    std::vector<float> l, r;
    void Add(size_t i, float a, float b)
    {
        i %= l.size();
        l[i] += a;
        r[i] += b;
    }
};

// One period of a soft, slightly hollow sawtooth (band-limited to 24 harmonics).
std::vector<float> PadTable(int size)
{
    std::vector<float> t(size, 0.0f);
    for (int h = 1; h <= 24; ++h)
    {
        double amp = std::pow((double)h, -1.35) * (h % 2 ? 1.0 : 0.55);
        for (int i = 0; i < size; ++i)
        {
            t[i] += (float)(amp * std::sin(kTwoPi * h * i / size));
        }
    }
    float peak = 0;
    for (float v : t)
    {
        peak = std::max(peak, std::fabs(v));
    }
    for (float& v : t)
    {
        v /= peak;
    }
    return t;
}

float Lookup(const std::vector<float>& t, double phase)
{
    double x = phase * t.size();
    size_t i = (size_t)x;
    float f = (float)(x - i);
    return t[i % t.size()] * (1 - f) + t[(i + 1) % t.size()] * f;
}

// Smooth attack (raised cosine), hold, then an exponential-like release.
float Envelope(double t, double attack, double hold, double release)
{
    if (t < 0)
    {
        return 0;
    }
    if (t < attack)
    {
        return (float)(0.5 - 0.5 * std::cos(3.141592653589793 * t / attack));
    }
    if (t < hold)
    {
        return 1.0f;
    }
    double r = (t - hold) / release;
    if (r >= 1)
    {
        return 0;
    }
    return (float)(std::exp(-3.0 * r) * (1 - r));
}

void AddPad(TLoop_s& loop, const std::vector<float>& table, size_t start, size_t length, int note,
            int rate, double loopSeconds)
{
    const double attack = 1.8, release = 4.5;
    const double hold = (double)length / rate;
    const size_t total = length + (size_t)(release * rate);
    const double f = MidiHz(note);
    const double detune[3] = {-0.0042, 0.0, 0.0046}; // about ±7 cents
    const float panL[3] = {0.82f, 0.6f, 0.38f}, panR[3] = {0.38f, 0.6f, 0.82f};
    double phase[3] = {0.13 * note, 0.37 * note, 0.71 * note};
    for (double& p : phase)
    {
        p -= std::floor(p);
    }
    float lowL = 0, lowL2 = 0, lowR = 0, lowR2 = 0;
    const float gain = 0.055f;
    for (size_t i = 0; i < total; ++i)
    {
        double t = (double)i / rate;
        float env = Envelope(t, attack, hold, release);
        float l = 0, r = 0;
        for (int k = 0; k < 3; ++k)
        {
            float s = Lookup(table, phase[k]);
            phase[k] += f * (1.0 + detune[k]) / rate;
            phase[k] -= std::floor(phase[k]);
            l += s * panL[k];
            r += s * panR[k];
        }
        // The filter breathes twice per loop, in step with the loop's length.
        double global = (double)((start + i) % (size_t)(loopSeconds * rate)) / rate;
        double cutoff = 950.0 + 350.0 * std::sin(kTwoPi * 2.0 * global / loopSeconds);
        float a = (float)(1.0 - std::exp(-kTwoPi * cutoff / rate));
        lowL += a * (l - lowL);
        lowL2 += a * (lowL - lowL2);
        lowR += a * (r - lowR);
        lowR2 += a * (lowR - lowR2);
        loop.Add(start + i, lowL2 * env * gain, lowR2 * env * gain);
    }
}

void AddBass(TLoop_s& loop, size_t start, size_t length, int note, int rate)
{
    const double release = 2.8;
    const size_t total = length + (size_t)(release * rate);
    const double f = MidiHz(note);
    for (size_t i = 0; i < total; ++i)
    {
        double t = (double)i / rate;
        float env = Envelope(t, 0.8, (double)length / rate, release);
        float s = (float)(std::sin(kTwoPi * f * t) + 0.22 * std::sin(kTwoPi * 2 * f * t) +
                          0.06 * std::sin(kTwoPi * 3 * f * t));
        loop.Add(start + i, s * env * 0.15f, s * env * 0.15f);
    }
}

void AddBell(TLoop_s& loop, size_t start, int note, float velocity, int rate)
{
    const double f = MidiHz(note), fm = f * 3.5;
    const size_t total = (size_t)(6.5 * rate);
    // Place each bell somewhere across the stereo field, by its pitch.
    const float pan = 0.5f + 0.32f * (float)std::sin(note * 1.7);
    const float gl = std::sqrt(1 - pan), gr = std::sqrt(pan);
    for (size_t i = 0; i < total; ++i)
    {
        double t = (double)i / rate;
        double index = 1.8 * std::exp(-t / 0.45);
        double amp = std::exp(-t / 1.9) * (1.0 - std::exp(-t / 0.004));
        double s = std::sin(kTwoPi * f * t + index * std::sin(kTwoPi * fm * t));
        s += 0.25 * std::exp(-t / 0.5) * std::sin(kTwoPi * 2.0 * f * t);
        float v = (float)(s * amp) * 0.085f * velocity;
        loop.Add(start + i, v * gl, v * gr);
    }
}

void AddAir(TLoop_s& loop, int rate)
{
    const size_t n = loop.l.size();
    for (int ch = 0; ch < 2; ++ch)
    {
        uint32_t state = 0x2545F491u + ch * 977u;
        std::vector<float> noise(n);
        for (size_t i = 0; i < n; ++i)
        {
            state = state * 1664525u + 1013904223u;
            noise[i] = ((state >> 8) * (1.0f / 8388608.0f)) - 1.0f;
        }
        // Band-pass (difference of two low-passes), run twice around the loop so that the
        // filter state at the start is the one the end leaves behind.
        const float aHigh = (float)(1.0 - std::exp(-kTwoPi * 1800.0 / rate));
        const float aLow = (float)(1.0 - std::exp(-kTwoPi * 300.0 / rate));
        float hi = 0, lo = 0;
        std::vector<float>& out = ch == 0 ? loop.l : loop.r;
        for (int pass = 0; pass < 2; ++pass)
        {
            for (size_t i = 0; i < n; ++i)
            {
                hi += aHigh * (noise[i] - hi);
                lo += aLow * (hi - lo);
                if (pass == 1)
                {
                    double swell = 0.55 + 0.45 * std::sin(kTwoPi * 3.0 * i / n + ch);
                    out[i] += (hi - lo) * 0.022f * (float)swell;
                }
            }
        }
    }
}

// A small hall: eight damped combs and four all-passes per side (the right side's delays
// slightly longer), run over the loop until it is in its steady state.
void AddReverb(TLoop_s& loop, float wet)
{
    const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const int allpasses[4] = {556, 441, 341, 225};
    const size_t n = loop.l.size();
    std::vector<float> outL(n), outR(n);
    for (int ch = 0; ch < 2; ++ch)
    {
        const int spread = ch == 0 ? 0 : 23;
        std::vector<std::vector<float>> cb(8), ab(4);
        std::vector<size_t> ci(8, 0), ai(4, 0);
        std::vector<float> store(8, 0.0f);
        for (int k = 0; k < 8; ++k)
        {
            cb[k].assign(combs[k] + spread, 0.0f);
        }
        for (int k = 0; k < 4; ++k)
        {
            ab[k].assign(allpasses[k] + spread, 0.0f);
        }
        std::vector<float>& out = ch == 0 ? outL : outR;
        for (int pass = 0; pass < 3; ++pass)
        {
            for (size_t i = 0; i < n; ++i)
            {
                float in = (loop.l[i] + loop.r[i]) * 0.015f;
                float acc = 0;
                for (int k = 0; k < 8; ++k)
                {
                    float y = cb[k][ci[k]];
                    store[k] = y * 0.7f + store[k] * 0.3f;
                    cb[k][ci[k]] = in + store[k] * 0.88f;
                    ci[k] = (ci[k] + 1) % cb[k].size();
                    acc += y;
                }
                for (int k = 0; k < 4; ++k)
                {
                    float b = ab[k][ai[k]];
                    float y = -acc + b;
                    ab[k][ai[k]] = acc + b * 0.5f;
                    ai[k] = (ai[k] + 1) % ab[k].size();
                    acc = y;
                }
                if (pass == 2)
                {
                    out[i] = acc;
                }
            }
        }
    }
    for (size_t i = 0; i < n; ++i)
    {
        loop.l[i] = loop.l[i] * 0.75f + outL[i] * wet;
        loop.r[i] = loop.r[i] * 0.75f + outR[i] * wet;
    }
}

std::vector<float> Interleave(const TLoop_s& loop, float peakTarget)
{
    float peak = 1e-6f;
    for (size_t i = 0; i < loop.l.size(); ++i)
    {
        peak = std::max(peak, std::max(std::fabs(loop.l[i]), std::fabs(loop.r[i])));
    }
    const float g = peakTarget / peak;
    std::vector<float> out(loop.l.size() * 2);
    for (size_t i = 0; i < loop.l.size(); ++i)
    {
        out[2 * i] = loop.l[i] * g;
        out[2 * i + 1] = loop.r[i] * g;
    }
    return out;
}
} // namespace

bool ParseScore(const std::string& text, TScore_s& score, std::string& error)
{
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line))
    {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream in(line);
        std::string word;
        if (!(in >> word))
        {
            continue;
        }
        bool ok = true;
        if (word == "tempo")
        {
            ok = (bool)(in >> score.tempo) && score.tempo > 0;
        }
        else if (word == "chord")
        {
            TChord_s chord;
            ok = (bool)(in >> chord.beats >> chord.bass) && chord.beats > 0;
            int note;
            while (ok && in >> note)
            {
                chord.notes.push_back(note);
            }
            score.chords.push_back(chord);
        }
        else if (word == "bell")
        {
            TBell_s bell;
            ok = (bool)(in >> bell.beat >> bell.note >> bell.velocity);
            score.bells.push_back(bell);
        }
        else
        {
            ok = false;
        }
        if (!ok)
        {
            error = "score line " + std::to_string(number) + ": " + line;
            return false;
        }
    }
    if (score.chords.empty())
    {
        error = "score has no chords";
        return false;
    }
    return true;
}

std::vector<float> RenderMusic(const TScore_s& score, int rate)
{
    const double beatSamples = rate * 60.0 / score.tempo;
    int beats = 0;
    for (const TChord_s& c : score.chords)
    {
        beats += c.beats;
    }
    const size_t n = (size_t)std::llround(beats * beatSamples);
    const double loopSeconds = (double)n / rate;
    TLoop_s loop{std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)};
    const std::vector<float> table = PadTable(2048);

    int beat = 0;
    for (const TChord_s& c : score.chords)
    {
        size_t start = (size_t)std::llround(beat * beatSamples);
        size_t length = (size_t)std::llround(c.beats * beatSamples);
        for (int note : c.notes)
        {
            AddPad(loop, table, start, length, note, rate, loopSeconds);
        }
        AddBass(loop, start, length, c.bass, rate);
        beat += c.beats;
    }
    for (const TBell_s& b : score.bells)
    {
        AddBell(loop, (size_t)std::llround(b.beat * beatSamples), b.note, b.velocity, rate);
    }
    AddAir(loop, rate);
    AddReverb(loop, 0.9f);
    return Interleave(loop, 0.8f);
}

std::vector<float> RenderChime(int rate)
{
    const size_t n = (size_t)(1.6 * rate);
    TLoop_s s{std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)};
    const int notes[2] = {81, 88}; // A5, then E6
    const double ratios[4] = {1.0, 2.76, 5.40, 8.93};
    const double amps[4] = {1.0, 0.32, 0.12, 0.05};
    const double decays[4] = {0.55, 0.22, 0.1, 0.05};
    for (int k = 0; k < 2; ++k)
    {
        const size_t start = (size_t)(k * 0.11 * rate);
        const double f = MidiHz(notes[k]);
        const float gl = k == 0 ? 0.85f : 0.55f, gr = k == 0 ? 0.55f : 0.85f;
        for (size_t i = 0; start + i < n; ++i)
        {
            double t = (double)i / rate;
            double v = 0;
            for (int p = 0; p < 4; ++p)
            {
                v += amps[p] * std::exp(-t / decays[p]) * std::sin(kTwoPi * f * ratios[p] * t);
            }
            v *= 1.0 - std::exp(-t / 0.0015);
            // Fade the very end to silence.
            double tail = std::min(1.0, (double)(n - start - i) / (0.05 * rate));
            s.l[start + i] += (float)(v * tail) * gl;
            s.r[start + i] += (float)(v * tail) * gr;
        }
    }
    return Interleave(s, 0.7f);
}
