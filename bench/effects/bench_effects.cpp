// SPDX-License-Identifier: MIT
// Time per call of the corner drawing operations on small and large bitmaps and
// on an icon, each printed as a ratio to a plain SRCCOPY BitBlt of the same
// size measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "effects/handle_picture.h"
#include "effects/paint_effects.h"
#include "support/ratio_reporter.h"

namespace {

using qv::effects::HandlePicture;
using qv::effects::PaintEffects;
using qv::effects::PictureSource;

// Magenta background (and corner) with a diagonal pattern of opaque colours.
void paintPicture(HDC hdc, int w, int h) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool background = ((x + y) % 3) == 0;
            SetPixel(hdc, x, y, background ? RGB(255, 0, 255) : RGB(x * 7, y * 5, 40));
        }
    }
}

// A colour surface in a memory DC, released at the end of the benchmark.
struct Surface {
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ old;

    Surface(int w, int h) {
        HDC screen = GetDC(nullptr);
        hdc = CreateCompatibleDC(screen);
        hbm = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(hdc, hbm);
    }
    ~Surface() {
        SelectObject(hdc, old);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
};

// A painted w x h bitmap selected nowhere, as a picture holds it.
HBITMAP makePictureBitmap(int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(screen, w, h);
    HDC hdc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(hdc, hbm);
    paintPicture(hdc, w, h);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return hbm;
}

struct PictureBitmap {
    HBITMAP hbm;
    explicit PictureBitmap(int n) : hbm(makePictureBitmap(n, n)) {}
    ~PictureBitmap() { DeleteObject(hbm); }
    PictureBitmap(const PictureBitmap&) = delete;
    PictureBitmap& operator=(const PictureBitmap&) = delete;
};

// A standard-size icon: its left half opaque with black and coloured pixels.
struct Icon {
    HICON hIcon;
    Icon() {
        const int cx = GetSystemMetrics(SM_CXICON);
        const int cy = GetSystemMetrics(SM_CYICON);
        const int stride = (cx + 15) / 16 * 2;
        std::vector<BYTE> bits(static_cast<size_t>(stride * cy), 0);
        for (int y = 0; y < cy; ++y) {
            for (int x = cx / 2; x < cx; ++x) bits[y * stride + x / 8] |= 0x80 >> (x % 8);
        }
        HBITMAP mask = CreateBitmap(cx, cy, 1, 1, bits.data());
        HBITMAP color = makePictureBitmap(cx, cy);
        ICONINFO info{TRUE, 0, 0, mask, color};
        hIcon = CreateIconIndirect(&info);
        DeleteObject(color);
        DeleteObject(mask);
    }
    ~Icon() { DestroyIcon(hIcon); }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;
};

enum class Op { Copy, TransCorner, DisabledCorner };

void runBitmap(benchmark::State& state, Op op) {
    const int n = static_cast<int>(state.range(0));
    const PaintEffects fx;
    PictureBitmap bitmap(n);
    const HandlePicture picture(1, bitmap.hbm);
    Surface dest(n, n);
    Surface source(n, n);
    paintPicture(source.hdc, n, n);
    for (auto _ : state) {
        switch (op) {
            case Op::Copy:
                BitBlt(dest.hdc, 0, 0, n, n, source.hdc, 0, 0, SRCCOPY);
                break;
            case Op::TransCorner:
                fx.PaintTransCornerStdPic(dest.hdc, 0, 0, n, n, &picture, 0, 0);
                break;
            case Op::DisabledCorner:
                fx.PaintDisabledCornerStdPic(dest.hdc, 0, 0, n, n, &picture, 0, 0);
                break;
        }
    }
}

void runIcon(benchmark::State& state, Op op) {
    const int n = GetSystemMetrics(SM_CXICON);
    const PaintEffects fx;
    Icon icon;
    const HandlePicture picture(3, icon.hIcon);
    Surface dest(n, n);
    Surface source(n, n);
    for (auto _ : state) {
        switch (op) {
            case Op::Copy:
                BitBlt(dest.hdc, 0, 0, n, n, source.hdc, 0, 0, SRCCOPY);
                break;
            case Op::TransCorner:
                fx.PaintTransCornerStdPic(dest.hdc, 0, 0, n, n, &picture, 0, 0);
                break;
            case Op::DisabledCorner:
                fx.PaintDisabledCornerStdPic(dest.hdc, 0, 0, n, n, &picture, 0, 0);
                break;
        }
    }
}

// The blits one transparent drawing is made of, one at a time, to show where
// its time goes: colour to mask, mask into colour with two raster operations,
// and colour with OR.
enum class Step { ColorToMono, MonoDstAndNotSrc, MonoSrcAnd, ColorSrcPaint };

void runStep(benchmark::State& state, Step step) {
    const int n = static_cast<int>(state.range(0));
    Surface color(n, n);
    Surface other(n, n);
    paintPicture(color.hdc, n, n);
    HDC screen = GetDC(nullptr);
    HDC monoDc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP mono = CreateBitmap(n, n, 1, 1, nullptr);
    HGDIOBJ monoOld = SelectObject(monoDc, mono);
    SetBkColor(color.hdc, RGB(255, 0, 255));
    for (auto _ : state) {
        switch (step) {
            case Step::ColorToMono:
                BitBlt(monoDc, 0, 0, n, n, color.hdc, 0, 0, SRCCOPY);
                break;
            case Step::MonoDstAndNotSrc:
                BitBlt(other.hdc, 0, 0, n, n, monoDc, 0, 0, 0x00220326);
                break;
            case Step::MonoSrcAnd:
                BitBlt(other.hdc, 0, 0, n, n, monoDc, 0, 0, SRCAND);
                break;
            case Step::ColorSrcPaint:
                BitBlt(other.hdc, 0, 0, n, n, color.hdc, 0, 0, SRCPAINT);
                break;
        }
    }
    SelectObject(monoDc, monoOld);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

// Prints every operation's CPU time per call next to the copy of the same kind
// and size (steps compare with the bitmap copy), with their ratio.
void printRatios(const qv::bench::RatioReporter& reporter) {
    std::printf("\n%-36s %12s %12s %8s\n", "operation (CPU time)", "us/call", "copy us", "ratio");
    for (const auto& [name, ns] : reporter.cpu) {
        if (name.rfind("Copy", 0) == 0) continue;
        std::string copy = "Copy" + name.substr(name.find('/'));
        if (!reporter.cpu.count(copy)) copy = "Copy/bitmap" + name.substr(name.rfind('/'));
        const auto ratio = qv::bench::cpuRatio(reporter, name, copy);
        if (!ratio) continue;
        std::printf("%-36s %12.2f %12.3f %8.1f\n", name.c_str(), ns * 1e-3,
                    reporter.cpu.at(copy) * 1e-3, *ratio);
    }
}

}  // namespace

BENCHMARK_CAPTURE(runBitmap, Copy, Op::Copy)->Name("Copy/bitmap")->Arg(16)->Arg(256);
BENCHMARK_CAPTURE(runBitmap, TransCorner, Op::TransCorner)
    ->Name("TransCorner/bitmap")
    ->Arg(16)
    ->Arg(256);
BENCHMARK_CAPTURE(runBitmap, DisabledCorner, Op::DisabledCorner)
    ->Name("DisabledCorner/bitmap")
    ->Arg(16)
    ->Arg(256);
BENCHMARK_CAPTURE(runStep, ColorToMono, Step::ColorToMono)->Name("Step/color_to_mono")->Arg(256);
BENCHMARK_CAPTURE(runStep, MonoDstAndNotSrc, Step::MonoDstAndNotSrc)
    ->Name("Step/mono_dsna_into_color")
    ->Arg(256);
BENCHMARK_CAPTURE(runStep, MonoSrcAnd, Step::MonoSrcAnd)
    ->Name("Step/mono_srcand_into_color")
    ->Arg(256);
BENCHMARK_CAPTURE(runStep, ColorSrcPaint, Step::ColorSrcPaint)
    ->Name("Step/color_srcpaint")
    ->Arg(256);
BENCHMARK_CAPTURE(runIcon, Copy, Op::Copy)->Name("Copy/icon32");
BENCHMARK_CAPTURE(runIcon, TransCorner, Op::TransCorner)->Name("TransCorner/icon32");
BENCHMARK_CAPTURE(runIcon, DisabledCorner, Op::DisabledCorner)->Name("DisabledCorner/icon32");

int main(int argc, char** argv) {
    return qv::bench::runBenchmarks(argc, argv, printRatios);
}
