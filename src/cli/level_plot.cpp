#include "cli/level_plot.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace vantoli::cli {

namespace {

struct Colour {
    unsigned char r, g, b;
};

constexpr Colour Background{255, 255, 255};
constexpr Colour Grid{225, 225, 225};
constexpr Colour Axis{120, 120, 120};
constexpr Colour Program{90, 90, 90};
constexpr Colour Tape{150, 210, 160};
constexpr Colour Track{40, 90, 200};
constexpr Colour Dropout{220, 30, 30};
constexpr Colour Clip{240, 150, 20};
constexpr Colour Cut{250, 215, 215};

constexpr int Left = 34, Right = 8, Top = 16, Bottom = 20;
constexpr double TopDb = 0, BottomDb = -60;

// Digits, colon and minus, 3 by 5 pixels, for the scales and the track numbers.
constexpr std::array<const char*, 12> Glyphs = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001", "111100111001111",
    "111100111101111", "111001001001001", "111101111101111", "111101111001111", "000010000010000", "000000111000000"};

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height) * 3)
    {
        fill(0, 0, width, height, Background);
    }
    void set(int x, int y, Colour c)
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        unsigned char* p = &pixels_[static_cast<std::size_t>(y * width_ + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void fill(int x0, int y0, int x1, int y1, Colour c)
    {
        for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) set(x, y, c);
    }
    void text(int x, int y, const std::string& text, Colour c)
    {
        for (char ch : text) {
            const int glyph = ch >= '0' && ch <= '9' ? ch - '0' : ch == ':' ? 10 : ch == '-' ? 11 : -1;
            if (glyph >= 0)
                for (int row = 0; row < 5; ++row)
                    for (int column = 0; column < 3; ++column)
                        if (Glyphs[static_cast<std::size_t>(glyph)][row * 3 + column] == '1')
                            fill(x + column * 2, y + row * 2, x + column * 2 + 2, y + row * 2 + 2, c);
            x += 8;
        }
    }
    const unsigned char* row(int y) const { return &pixels_[static_cast<std::size_t>(y * width_) * 3]; }

private:
    int width_, height_;
    std::vector<unsigned char> pixels_;
};

std::string writePng(const Canvas& canvas, int width, int height, const std::string& path)
{
    const std::string part = path + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (!file) return std::strerror(errno);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    volatile bool written = false;  // set past libpng's longjmp
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y) png_write_row(png, canvas.row(y));
        png_write_end(png, info);
        written = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    const bool closed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    std::fclose(file);
    std::error_code error;
    if (!written || !closed) {
        std::filesystem::remove(part, error);
        return "PNG";
    }
    std::filesystem::rename(part, path, error);
    if (error) {
        std::filesystem::remove(part, error);
        return error.message();
    }
    return {};
}

std::string clockText(int seconds)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

}  // namespace

std::string writeLevelPlot(const TapeCheck& check, double expectedDb, const std::string& path)
{
    const int width = PlotWidth, height = PlotHeight;
    Canvas canvas(width, height);
    const int plotWidth = width - Left - Right, plotHeight = height - Top - Bottom;
    const double seconds = std::max(check.recordingSeconds, 1.0);
    const auto xOf = [&](double t) { return Left + static_cast<int>(std::lround(t / seconds * plotWidth)); };
    const auto yOf = [&](double db) {
        const double clamped = std::clamp(db, BottomDb, TopDb);
        return Top + static_cast<int>(std::lround((TopDb - clamped) / (TopDb - BottomDb) * plotHeight));
    };

    // The cut end, shaded from where the tape stopped holding the side.
    if (check.cutSeconds > 0) {
        canvas.fill(xOf(std::clamp(check.cutAtSeconds, 0.0, seconds)), Top, Left + plotWidth, Top + plotHeight, Cut);
    }
    for (int db = 0; db >= -60; db -= 10) {
        canvas.fill(Left, yOf(db), Left + plotWidth, yOf(db) + 1, Grid);
        canvas.text(2, yOf(db) - 4, std::to_string(db), Axis);
    }
    const int step = seconds > 1200 ? 300 : seconds > 300 ? 60 : seconds > 60 ? 10 : 5;
    for (int t = 0; t <= seconds; t += step) {
        canvas.fill(xOf(t), Top, xOf(t) + 1, Top + plotHeight, Grid);
        canvas.text(xOf(t) - 8, Top + plotHeight + 4, clockText(t), Axis);
    }
    for (const ClippedStretch& clip : check.clipped)
        canvas.fill(xOf(clip.atSeconds), Top, std::max(xOf(clip.atSeconds) + 2, xOf(clip.atSeconds + clip.milliseconds / 1000)),
                    Top + plotHeight, Clip);

    // Each column: the tape's level as an area, the program's as a line over it.
    std::vector<double> programTop(static_cast<std::size_t>(plotWidth), -1000), tapeLow(programTop.size(), 1000),
        tapeHigh(programTop.size(), -1000);
    for (const LevelPoint& point : check.levels) {
        const int x = xOf(point.seconds) - Left;
        if (x < 0 || x >= plotWidth) continue;
        const auto i = static_cast<std::size_t>(x);
        if (point.programDb > -119) programTop[i] = std::max(programTop[i], point.programDb + expectedDb);
        tapeLow[i] = std::min(tapeLow[i], static_cast<double>(point.tapeDb));
        tapeHigh[i] = std::max(tapeHigh[i], static_cast<double>(point.tapeDb));
    }
    for (int x = 0; x < plotWidth; ++x) {
        const auto i = static_cast<std::size_t>(x);
        if (tapeHigh[i] > -1000) canvas.fill(Left + x, yOf(tapeHigh[i]), Left + x + 1, Top + plotHeight, Tape);
    }
    int previous = -1;
    for (int x = 0; x < plotWidth; ++x) {
        const auto i = static_cast<std::size_t>(x);
        if (programTop[i] < -999) {
            previous = -1;
            continue;
        }
        const int y = yOf(programTop[i]);
        canvas.fill(Left + x, std::min(y, previous < 0 ? y : previous), Left + x + 1, std::max(y, previous < 0 ? y : previous) + 2,
                    Program);
        previous = y;
    }
    for (const TrackOnTape& track : check.tracks) {
        if (track.startSeconds < 0 || track.startSeconds > seconds) continue;
        const int x = xOf(track.startSeconds);
        for (int y = Top; y < Top + plotHeight; y += 4) canvas.fill(x, y, x + 1, y + 2, Track);
        canvas.text(x + 3, 2, std::to_string(track.track), Track);
    }
    for (const TapeDropout& dropout : check.dropouts)
        canvas.fill(xOf(dropout.atSeconds) - 1, Top, std::max(xOf(dropout.atSeconds) + 2, xOf(dropout.atSeconds + dropout.milliseconds / 1000)),
                    Top + plotHeight, Dropout);
    canvas.fill(Left, Top + plotHeight, Left + plotWidth, Top + plotHeight + 1, Axis);
    canvas.fill(Left - 1, Top, Left, Top + plotHeight, Axis);
    return writePng(canvas, width, height, path);
}

}  // namespace vantoli::cli
