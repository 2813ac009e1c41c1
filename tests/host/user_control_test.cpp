// SPDX-License-Identifier: MIT
#include "host/user_control.h"

#include <gtest/gtest.h>

#include "host/form.h"
#include "platform/ole/picture.h"

namespace qv::host {
namespace {

class Canvas : public UserControl {
  public:
    explicit Canvas(ScaleMode unit) : UserControl(unit) {}
};

struct Placed {
    std::shared_ptr<Form> form = std::make_shared<Form>();
    std::shared_ptr<Canvas> canvas;
    explicit Placed(ScaleMode unit, Bounds bounds = {0, 0, 150, 120}) {
        canvas = std::make_shared<Canvas>(unit);
        form->add(canvas, "Canvas1", std::nullopt, bounds);
    }
    COLORREF at(int x, int y) const { return GetPixel(canvas->hDC(), x, y); }
};

constexpr std::int32_t kRed = 0x0000FF;
constexpr std::int32_t kBlue = 0xFF0000;

TEST(UserControlTest, SurfaceDrawsInPixelsWithGdiLineEnds) {
    Placed p(ScaleMode::Pixels);  // 150 x 120 twips = 10 x 8 pixels
    auto& c = *p.canvas;
    EXPECT_EQ(c.ScaleWidth(), 10.0f);
    EXPECT_EQ(c.ScaleHeight(), 8.0f);
    c.setBackColor(0xFFFFFF);
    c.Cls();
    c.Line(0, 0, 4, 0, kRed);  // the end point stays unpainted
    EXPECT_EQ(p.at(0, 0), static_cast<COLORREF>(kRed));
    EXPECT_EQ(p.at(3, 0), static_cast<COLORREF>(kRed));
    EXPECT_EQ(p.at(4, 0), 0xFFFFFFu);
    c.Line(5, 5, 2, 2, kBlue, UserControl::LineKind::Box);  // corners included
    EXPECT_EQ(p.at(2, 2), static_cast<COLORREF>(kBlue));
    EXPECT_EQ(p.at(5, 5), static_cast<COLORREF>(kBlue));
    EXPECT_EQ(p.at(2, 5), static_cast<COLORREF>(kBlue));
    EXPECT_EQ(p.at(3, 3), 0xFFFFFFu);
    c.Line(6, 6, 7, 7, kRed, UserControl::LineKind::FilledBox);
    EXPECT_EQ(p.at(7, 7), static_cast<COLORREF>(kRed));
    c.PSet(9, 7, kBlue);
    EXPECT_EQ(p.at(9, 7), static_cast<COLORREF>(kBlue));
    // A system colour goes through the system colour table.
    c.PSet(9, 0, static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(p.at(9, 0), GetSysColor(COLOR_BTNFACE));
    c.Cls();
    EXPECT_EQ(p.at(9, 7), 0xFFFFFFu);
    EXPECT_THROW(c.PSet(0, 0, static_cast<std::int32_t>(0x800000FF)), Error);  // not a colour
}

TEST(UserControlTest, ASizeThatCannotBeDrawnIsABadPropertyValueAndChangesNothing) {
    struct Case {
        const char* property;
        std::int32_t value;
        bool refused;
    };
    const Case cases[] = {
        {"Width", 491536, true},      {"Height", 600000, true}, {"Width", 2147483647, true},
        {"Width", 32767 * 15, false}, {"Height", 3000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.property) + " " + std::to_string(c.value));
        Placed p(ScaleMode::Pixels);
        p.canvas->PSet(1, 1, kRed);
        try {
            p.canvas->let(c.property, Variant(c.value));
            EXPECT_FALSE(c.refused);
            EXPECT_EQ(p.canvas->get(c.property), Variant(c.value));
        } catch (const Error& e) {
            EXPECT_TRUE(c.refused);
            EXPECT_EQ(e.number(), errc::InvalidPropertyValue);
            EXPECT_EQ(e.source(), "Canvas1");
            // The control keeps its size and what was drawn on it.
            EXPECT_EQ(p.canvas->Width(), 150);
            EXPECT_EQ(p.canvas->Height(), 120);
            EXPECT_EQ(p.canvas->ScaleWidth(), 10.0f);
            EXPECT_EQ(p.at(1, 1), static_cast<COLORREF>(kRed));
        }
    }
}

TEST(UserControlTest, TwipsScaleAndResizeKeepTheImage) {
    Placed p(ScaleMode::Twips);
    auto& c = *p.canvas;
    EXPECT_EQ(c.ScaleWidth(), 150.0f);
    c.setBackColor(0xFFFFFF);
    c.Cls();
    c.PSet(30, 15, kRed);  // pixel (2, 1)
    EXPECT_EQ(p.at(2, 1), static_cast<COLORREF>(kRed));
    c.setWidth(300);
    EXPECT_EQ(c.ScaleWidth(), 300.0f);
    EXPECT_EQ(p.at(2, 1), static_cast<COLORREF>(kRed));
    EXPECT_EQ(p.at(15, 1), 0xFFFFFFu);
    // HiMetric to pixels: 2540 HiMetric is one inch, 96 pixels.
    EXPECT_FLOAT_EQ(c.ScaleX(2540, ScaleMode::HiMetric, ScaleMode::Pixels), 96.0f);
    EXPECT_FLOAT_EQ(c.ScaleY(96, ScaleMode::Pixels, ScaleMode::User), 1440.0f);
    // Image is the persistent image itself, not a copy.
    auto image = c.Image();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Type(), PICTYPE_BITMAP);
    EXPECT_EQ(image->Handle(), static_cast<HANDLE>(c.imageBitmap()));
}

}  // namespace
}  // namespace qv::host
