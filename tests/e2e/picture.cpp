// Writes the README's picture: the real program on Xvfb, several frames of its motion laid
// over one another as a fading trail, as a greyscale PNG at half the screen's size. With a
// folder as second argument it also writes each frame there, for an animation.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "harness.hpp"

namespace {

void putBig(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((value >> shift) & 0xffU);
    }
}

void chunk(std::string& out, const char* type, const std::string& data)
{
    putBig(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    out += body;
    putBig(out, static_cast<std::uint32_t>(
                    crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// An 8-bit greyscale PNG.
void writePng(const std::string& path, const std::vector<std::uint8_t>& grey, int width, int height)
{
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        raw.append(reinterpret_cast<const char*>(&grey[static_cast<std::size_t>(y) * width]),
                   static_cast<std::size_t>(width));
    }
    uLongf size = compressBound(raw.size());
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 9);
    packed.resize(size);

    std::string header;
    putBig(header, static_cast<std::uint32_t>(width));
    putBig(header, static_cast<std::uint32_t>(height));
    header += std::string{8, 0, 0, 0, 0};  // depth 8, greyscale, deflate, no filter, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", "");
    std::ofstream(path, std::ios::binary) << png;
}

// Half size, each output pixel the mean of four.
std::vector<std::uint8_t> halve(const std::vector<std::uint8_t>& grey, int width, int height)
{
    std::vector<std::uint8_t> small(static_cast<std::size_t>(width / 2) * (height / 2));
    for (int y = 0; y < height / 2; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            int sum = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    sum += grey[static_cast<std::size_t>(2 * y + dy) * width + 2 * x + dx];
                }
            }
            small[static_cast<std::size_t>(y) * (width / 2) + x] =
                static_cast<std::uint8_t>(sum / 4);
        }
    }
    return small;
}

}  // namespace

using namespace std::chrono_literals;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [FRAME-FOLDER]\n", argv[0]);
        return 2;
    }
    constexpr int frames = 16;
    e2e::VirtualDisplay display;
    e2e::Bounce bounce(display);
    bounce.waitForSquare(display.connection());
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> trail;
    for (int frame = 0; frame < frames; ++frame) {
        const std::vector<std::uint8_t> rgb =
            e2e::screenPixels(display.connection(), width, height);
        std::vector<std::uint8_t> grey(rgb.size() / 3);
        trail.resize(grey.size());
        const auto level = static_cast<std::uint8_t>(48 + 207 * frame / (frames - 1));
        for (std::size_t at = 0; at < grey.size(); ++at) {
            grey[at] = rgb[3 * at];
            if (grey[at] != 0) {
                trail[at] = level;
            }
        }
        if (argc > 2) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame%02d.png", frame);
            writePng(argv[2] + std::string(name), halve(grey, width, height), width / 2,
                     height / 2);
        }
        std::this_thread::sleep_for(800ms);
    }
    writePng(argv[1], halve(trail, width, height), width / 2, height / 2);
    return 0;
}
