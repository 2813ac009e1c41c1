// SPDX-License-Identifier: MIT
// The pointer crossing a row of 20 picture buttons, entering and leaving
// each (every move repaints the button it changes), against as many 29 x 29
// SRCCOPY BitBlt calls as there are moves, measured in the same run; and the
// time per move over a button whose picture is far larger than the button.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/form.h"
#include "platform/ole/picture.h"
#include "softbutton/qvSoftButton.h"
#include "support/ratio_reporter.h"

namespace {

constexpr int kButtons = 20;
constexpr int kSize = 29;
constexpr int kMovesPerPass = 2 * kButtons;

// A side x side picture painted by paint(dc) on a memory DC.
template <class Paint>
std::shared_ptr<qv::ole::Picture> pictureOf(int side, Paint paint) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return qv::ole::Picture::fromBitmap(bitmap, true);
}

// A 16 x 16 picture: a magenta corner (transparent) and a coloured pattern.
std::shared_ptr<qv::ole::Picture> makePicture() {
    return pictureOf(16, [](HDC dc) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool key = (x + y) % 5 == 0;
                SetPixel(dc, x, y, key ? RGB(255, 0, 255) : RGB(x * 15, y * 15, 90));
            }
        }
    });
}

void BM_CrossRow(benchmark::State& state) {
    auto form = std::make_shared<qv::host::Form>();
    std::vector<std::shared_ptr<qv::softbutton::qvSoftButton>> row;
    auto picture = makePicture();
    for (int i = 0; i < kButtons; ++i) {
        auto b = std::make_shared<qv::softbutton::qvSoftButton>();
        form->add(b, "Button" + std::to_string(i), std::nullopt,
                  {i * kSize * qv::host::TwipsPerPixel, 0, kSize * qv::host::TwipsPerPixel,
                   kSize * qv::host::TwipsPerPixel});
        b->setStyle(i % 2);  // flat and thick-flat
        if (state.range(0)) b->setPicture(picture);
        row.push_back(b);
    }
    for (auto _ : state) {
        for (const auto& b : row) {
            b->UserControl_MouseMove(0, 0, 14, 14);  // enter: hot look
            b->UserControl_MouseMove(0, 0, 40, 14);  // leave: flat again
        }
    }
    form->Unload();
}
BENCHMARK(BM_CrossRow)->Arg(1)->Arg(0);

// A side x side picture: one colour with a magenta corner (transparent).
std::shared_ptr<qv::ole::Picture> makeLargePicture(int side) {
    return pictureOf(side, [side](HDC dc) {
        const RECT all{0, 0, side, side};
        HBRUSH brush = CreateSolidBrush(RGB(30, 120, 200));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SetPixel(dc, 0, 0, RGB(255, 0, 255));
    });
}

// The pointer entering and leaving one button that shows a 4096 x 4096
// picture, of which the button shows only its own size: two repaints.
void BM_HoverLargePicture(benchmark::State& state) {
    auto form = std::make_shared<qv::host::Form>();
    auto b = std::make_shared<qv::softbutton::qvSoftButton>();
    form->add(b, "Button0", std::nullopt,
              {0, 0, kSize * qv::host::TwipsPerPixel, kSize * qv::host::TwipsPerPixel});
    b->setStyle(0);
    b->setPicture(makeLargePicture(4096));
    for (auto _ : state) {
        b->UserControl_MouseMove(0, 0, 14, 14);
        b->UserControl_MouseMove(0, 0, 40, 14);
    }
    form->Unload();
}
BENCHMARK(BM_HoverLargePicture)->Unit(benchmark::kMicrosecond);

void BM_CopyBlits(benchmark::State& state) {
    HDC screen = GetDC(nullptr);
    HDC src = CreateCompatibleDC(screen), dst = CreateCompatibleDC(screen);
    HBITMAP srcBitmap = CreateCompatibleBitmap(screen, kSize, kSize);
    HBITMAP dstBitmap = CreateCompatibleBitmap(screen, kSize, kSize);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldSrc = SelectObject(src, srcBitmap), oldDst = SelectObject(dst, dstBitmap);
    for (auto _ : state) {
        for (int i = 0; i < kMovesPerPass; ++i) {
            BitBlt(dst, 0, 0, kSize, kSize, src, 0, 0, SRCCOPY);
        }
    }
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteObject(srcBitmap);
    DeleteObject(dstBitmap);
    DeleteDC(src);
    DeleteDC(dst);
}
BENCHMARK(BM_CopyBlits);

}  // namespace

int main(int argc, char** argv) {
    return qv::bench::runBenchmarks(argc, argv, [](const qv::bench::RatioReporter& reporter) {
        if (const auto ratio = qv::bench::cpuRatio(reporter, "BM_CrossRow/1", "BM_CopyBlits")) {
            std::printf(
                "\ncrossing %d buttons (%d moves) / %d blits of %dx%d: ratio %.1f (goal 20)\n",
                kButtons, kMovesPerPass, kMovesPerPass, kSize, kSize, *ratio);
        }
        // Microseconds per iteration of two moves.
        if (const auto it = reporter.cpu.find("BM_HoverLargePicture"); it != reporter.cpu.end()) {
            std::printf("moving over a 4096x4096 picture: %.1f us per move\n", it->second / 2);
        }
    });
}
