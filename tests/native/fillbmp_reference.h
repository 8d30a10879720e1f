// A literal model of the fill-bitmap generator for the tests: every pixel visited one by
// one in the order the patterns define, one random number drawn per visit, all
// arithmetic on 32-bit integers that wrap. No jumps, no vectors, no tables.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fill_reference {

inline int32_t Wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

inline int32_t NextRandom(uint32_t& seed)
{
    seed = seed * 214013u + 2531011u;
    return static_cast<int32_t>((seed >> 16) & 0x7FFF);
}

inline int32_t Cube(int32_t t)
{
    return ((t * t * t) / 128) / 128;
}

// A stored level: past 255 saturates, anything else keeps its low 8 bits.
inline uint8_t Level(int32_t value)
{
    return value > 255 ? 255 : static_cast<uint8_t>(value & 0xFF);
}

struct Image {
    int32_t width = 0;
    int32_t height = 0;
    uint32_t stride = 0;
    std::vector<uint8_t> pixels; // zero-filled, height * stride bytes

    Image(int32_t w, int32_t h) : width(w), height(h), stride(((8u * w + 31u) >> 5) << 2), pixels(h * stride) {}
    uint8_t& at(int32_t x, int32_t r) { return pixels[static_cast<size_t>(r) * stride + x]; }
};

struct Model {
    Image& image;
    int32_t n;
    uint32_t seed;
    int32_t q;

    Model(Image& target, int32_t noise, uint32_t initial)
        : image(target), n(noise), seed(initial), q(32767 / (Wrap(2LL * noise) > 1 ? Wrap(2LL * noise) : 1))
    {
        if (q == 0) // noise above 16383: the widest grain rather than a division by zero
            q = 1;
    }

    void Grain(int32_t x, int32_t r, bool subtract)
    {
        int32_t offset = NextRandom(seed) / q - (subtract ? (n & 0xFF) : 0);
        image.at(x, r) = Level(image.at(x, r) + offset);
    }
    void Set(int32_t x, int32_t r, int32_t value) { image.at(x, r) = Level(value); }

    // Kinds 4 and 8's first pass: cubic shading over the rows.
    void Cubic(int32_t factor)
    {
        const int32_t W = image.width, H = image.height;
        for (int32_t r = 0; r < H; ++r)
            for (int32_t x = 0; x < W; ++x) {
                Set(x, r, (factor * Cube((r * 255) / H - 127)) / 128 + 128);
                Grain(x, r, true);
            }
    }

    void Draw(int32_t kind)
    {
        const int32_t W = image.width, H = image.height;
        switch (kind) {
        case 1:
            for (int32_t r = 0; r < H; ++r)
                for (int32_t x = 0; x < W; ++x) {
                    Set(x, r, 128);
                    Grain(x, r, true);
                }
            break;
        case 2:
            for (int32_t r = 0; r < H; ++r) {
                int32_t ty = (r * 255) / H - 127;
                for (int32_t x = 0; x < W; ++x) {
                    int32_t tx = ((W - x) * 255) / W - 127;
                    int32_t v = Wrap(Wrap(int64_t(Wrap(128LL - n)) * (Cube(ty) + Cube(tx))) / 128 + 128);
                    if (v < n)
                        v = n;
                    if (v > Wrap(255LL - n))
                        v = Wrap(255LL - n);
                    Set(x, r, v);
                    Grain(x, r, true);
                }
            }
            break;
        case 3:
            for (int32_t x = 0; x < W; ++x) {
                int32_t t = ((W - x) * 255) / W - 127;
                for (int32_t r = 0; r < H; ++r) {
                    Set(x, r, ((128 - (n & 0xFF)) * Cube(t)) / 128 + 128);
                    Grain(x, r, true);
                }
            }
            break;
        case 4:
            Cubic(128 - (n & 0xFF));
            break;
        case 5:
            for (int32_t r = 0; r < H; ++r)
                for (int32_t x = 0; x < W; ++x) {
                    Set(x, r, Wrap(int64_t(Wrap(int64_t(Wrap(255LL - Wrap(2LL * n))) * r) / H) + n));
                    Grain(x, r, true);
                }
            break;
        case 6:
            for (int32_t x = 0; x < W; ++x)
                for (int32_t r = 0; r < H; ++r) {
                    Set(x, r, Wrap(int64_t(Wrap(int64_t(W - x) * Wrap(255LL - Wrap(2LL * n))) / W) + n));
                    Grain(x, r, true);
                }
            break;
        case 7: {
            int32_t h = Wrap(255LL - Wrap(2LL * n)) / 2;
            for (int32_t r = 0; r < H; ++r)
                for (int32_t x = 0; x < W; ++x) {
                    Set(x, r, Wrap(int64_t(Wrap(int64_t(Wrap(int64_t(h) * r) / H) + n)) +
                                   Wrap(int64_t(W - x) * h) / W));
                    Grain(x, r, true);
                }
            break;
        }
        case 8: {
            Cubic(128 - 2 * (n & 0xFF));
            int32_t e = W / 6 < 16 ? W / 6 : 16;
            int32_t Q = (H * H) / 4;
            for (int32_t r = 0; r < H; ++r) {
                int32_t dy = r - H / 2;
                for (int32_t x = 0; x < W; ++x) {
                    int32_t dx = x - W / 2;
                    int32_t E = Wrap(int64_t(W / 2 - e) + Wrap(int64_t(Wrap(int64_t(dy) * dy)) * e) / Q);
                    if (dx > E)
                        Set(x, r, Wrap(int64_t((((W - x) * 128) / e) & 0xFF) + n));
                    if (Wrap(int64_t(dx) + E) < 0)
                        Set(x, r, Wrap(int64_t(Wrap(255LL - n)) - (((x * 128) / e) & 0xFF)));
                    Grain(x, r, true);
                }
            }
            break;
        }
        case 9: {
            int32_t m = W < H ? W : H;
            for (int32_t s = 0; s < 200; ++s) {
                int32_t a = NextRandom(seed) / (32767 / W);
                int32_t b = NextRandom(seed) / (32767 / H);
                int32_t L = (NextRandom(seed) / (32767 / m)) / 2;
                int32_t v = NextRandom(seed) / (32767 / 40);
                int32_t j = 0;
                do {
                    if (a - j > 0 && b + j < H)
                        Stroke(a - j, b + j, v);
                    if (a + j < W && b - j > 0)
                        Stroke(W - a + j, b - j, v);
                    ++j;
                } while (j < L);
            }
            int32_t h = Wrap(int64_t(Wrap(int64_t(Wrap(255LL - n)) - n)) - 40) / 2;
            for (int32_t r = 0; r < H; ++r)
                for (int32_t x = 0; x < W; ++x) {
                    Set(x, r, Wrap(int64_t(Wrap(int64_t(image.at(x, r)) + Wrap(int64_t(h) * r) / H)) +
                                   Wrap(int64_t(W - x) * h) / W));
                    Grain(x, r, false);
                }
            break;
        }
        default:
            break;
        }
    }

    // Stroke pixels outside the image are dropped; `line` counts from the top.
    void Stroke(int32_t column, int32_t line, int32_t v)
    {
        if (column >= 0 && column < image.width && line >= 0 && line < image.height)
            image.at(column, image.height - 1 - line) = static_cast<uint8_t>(v);
    }
};

// Draws into a zero-filled image and returns the generator state afterwards.
inline uint32_t Draw(int32_t kind, int32_t noise, Image& image, uint32_t seed)
{
    Model model(image, noise, seed);
    model.Draw(kind);
    return model.seed;
}

inline int32_t Channel(uint32_t colour, int channel)
{
    return channel == 1 ? int32_t(colour & 0xFF) : channel == 2 ? int32_t((colour >> 8) & 0xFF) : int32_t(colour >> 16);
}

// 256 RGBQUADs (blue, green, red, 0) of the plain and the highlighted palette.
struct Palettes {
    std::vector<uint8_t> plain = std::vector<uint8_t>(1024);
    std::vector<uint8_t> highlighted = std::vector<uint8_t>(1024);
};

inline Palettes BuildPalettes(uint32_t shadow, uint32_t face, uint32_t hilite, int32_t highlightArg, int32_t tintArg,
                              uint32_t tintColour)
{
    int32_t highlight = highlightArg & 0xFF, tint = tintArg & 0xFF;
    if (highlight > 100)
        highlight = 100;
    if (tint > 100)
        tint = 100;
    Palettes result;
    auto pass = [&](int32_t first, int32_t i, uint32_t from, uint32_t to) {
        for (int channel = 1; channel <= 3; ++channel) {
            int32_t v = ((128 - i) * Channel(from, channel) + i * Channel(to, channel)) / 128;
            if (tint)
                v = ((v & 0xFF) * (100 - tint) + Channel(tintColour, channel) * tint) / 100;
            size_t offset = size_t(first) * 4 + (3 - channel);
            result.plain[offset] = uint8_t(v);
            if (highlight)
                result.highlighted[offset] =
                    uint8_t(((v & 0xFF) * (100 - highlight) + Channel(hilite, channel) * highlight) / 100);
        }
    };
    for (int32_t i = 0; i <= 128; ++i)
        pass(i, i, shadow, face);
    for (int32_t i = 1; i <= 128; ++i)
        pass(127 + i, i, face, hilite);
    return result;
}

} // namespace fill_reference
