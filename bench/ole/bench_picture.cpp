// SPDX-License-Identifier: MIT
// Picture loading against the least a loader must do (a bitmap made and
// filled with SetDIBits), reported as ratios; and the cost of one DrawEdge,
// DrawIcon and DrawStateA call.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/gdi/handles.h"
#include "platform/gdi/png_file.h"
#include "platform/ole/picture.h"
#include "support/ratio_reporter.h"

namespace {

using qv::gdi::OwnedBitmap;
using qv::gdi::OwnedDc;
using qv::gdi::ScreenDc;
using qv::gdi::SelectGuard;

constexpr int kSide = 256;

qv::gdi::DecodedImage testImage(int side) {
    qv::gdi::DecodedImage image;
    image.width = image.height = side;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.pixels.push_back(0xFF000000u |
                                   static_cast<std::uint32_t>(x * 7 ^ y * 13) * 0x010203u);
    return image;
}

// A 24-bpp BMP of the test image, written the way the picture saver does.
const std::vector<std::uint8_t>& bmpFile() {
    static const std::vector<std::uint8_t> bytes = [] {
        ScreenDc screen;
        OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), kSide, kSide));
        const auto image = testImage(kSide);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBits(screen.get(), bitmap.get(), 0, kSide, image.pixels.data(), &info, DIB_RGB_COLORS);
        auto picture = qv::ole::Picture::fromBitmap(bitmap.get(), false);
        return qv::ole::pictureBytes(*picture);
    }();
    return bytes;
}

const std::vector<std::uint8_t>& pngFile() {
    static const std::vector<std::uint8_t> bytes = qv::gdi::encodePng(testImage(kSide), false);
    return bytes;
}

void BM_SetDIBitsBaseline(benchmark::State& state) {
    const auto image = testImage(kSide);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, -kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ScreenDc screen;
    for (auto _ : state) {
        OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), kSide, kSide));
        SetDIBits(screen.get(), bitmap.get(), 0, kSide, image.pixels.data(), &info, DIB_RGB_COLORS);
        benchmark::DoNotOptimize(bitmap.get());
    }
}
BENCHMARK(BM_SetDIBitsBaseline)->Unit(benchmark::kMicrosecond);

void BM_LoadBmp24(benchmark::State& state) {
    const auto& bytes = bmpFile();
    for (auto _ : state) benchmark::DoNotOptimize(qv::ole::loadPicture(bytes));
}
BENCHMARK(BM_LoadBmp24)->Unit(benchmark::kMicrosecond);

void BM_LoadPng(benchmark::State& state) {
    const auto& bytes = pngFile();
    for (auto _ : state) benchmark::DoNotOptimize(qv::ole::loadPicture(bytes));
}
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMicrosecond);

// A colour target in a memory DC for the drawing calls.
struct Target {
    Target()
        : bitmap(CreateCompatibleBitmap(ScreenDc().get(), 64, 64)),
          dc(OwnedDc::compatibleWith(nullptr)),
          select(dc.get(), bitmap.get()) {}
    OwnedBitmap bitmap;
    OwnedDc dc;
    SelectGuard select;
};

void BM_DrawEdgeRaised(benchmark::State& state) {
    Target target;
    for (auto _ : state) {
        RECT r{2, 2, 50, 26};
        DrawEdge(target.dc.get(), &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}
BENCHMARK(BM_DrawEdgeRaised)->Unit(benchmark::kMicrosecond);

HICON makeIcon() {
    OwnedBitmap mask(CreateBitmap(32, 32, 1, 1, nullptr));
    OwnedBitmap color(CreateCompatibleBitmap(ScreenDc().get(), 32, 32));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    return CreateIconIndirect(&info);
}

void BM_DrawIcon32(benchmark::State& state) {
    Target target;
    HICON icon = makeIcon();
    for (auto _ : state) DrawIcon(target.dc.get(), 4, 4, icon);
    DestroyIcon(icon);
}
BENCHMARK(BM_DrawIcon32)->Unit(benchmark::kMicrosecond);

void BM_DrawStateUnionIcon32(benchmark::State& state) {
    Target target;
    HICON icon = makeIcon();
    qv::gdi::OwnedBrush brush(CreateSolidBrush(0x00646464));
    for (auto _ : state) {
        DrawStateA(target.dc.get(), brush.get(), nullptr, reinterpret_cast<LPARAM>(icon), 0, 4, 4,
                   0, 0, DST_ICON | DSS_UNION);
    }
    DestroyIcon(icon);
}
BENCHMARK(BM_DrawStateUnionIcon32)->Unit(benchmark::kMicrosecond);

}  // namespace

// Prints each loader's time relative to the baseline of the same run.
int main(int argc, char** argv) {
    return qv::bench::runBenchmarks(argc, argv, [](const qv::bench::RatioReporter& reporter) {
        for (const char* name : {"BM_LoadBmp24", "BM_LoadPng"}) {
            const auto ratio = qv::bench::cpuRatio(reporter, name, "BM_SetDIBitsBaseline");
            if (ratio && *ratio > 0) {
                std::printf("%s: %.2f x the time of making and filling the bitmap (256x256)\n",
                            name, *ratio);
            }
        }
    });
}
