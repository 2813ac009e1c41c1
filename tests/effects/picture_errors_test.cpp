// SPDX-License-Identifier: MIT
// Pictures that cannot be drawn are refused with error 481 before anything is
// made or drawn; picture objects of the runtime are drawn through their adaptor.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "effects/effects_error.h"
#include "effects/ole_picture_source.h"
#include "effects/paint_effects.h"
#include "effects_fixture.h"

namespace qv::effects::test {
namespace {

using PictureCall = std::function<void(const PaintEffects&, HDC, const PictureSource*)>;

struct NamedCall {
    const char* name;
    PictureCall call;
};

const std::vector<NamedCall>& pictureCalls() {
    static const std::vector<NamedCall> calls{
        {"PaintDisabledStdPic",
         [](const PaintEffects& fx, HDC d, const PictureSource* p) {
             fx.PaintDisabledStdPic(d, 0, 0, 4, 4, p, 0, 0, 0xFF00FF, 0x80000014, 0x80000010);
         }},
        {"PaintTransparentStdPic",
         [](const PaintEffects& fx, HDC d, const PictureSource* p) {
             fx.PaintTransparentStdPic(d, 0, 0, 4, 4, p, 0, 0, 0xFF00FF);
         }},
        {"PaintNormalStdPic",
         [](const PaintEffects& fx, HDC d, const PictureSource* p) {
             fx.PaintNormalStdPic(d, 0, 0, 4, 4, p, 0, 0);
         }},
        {"PaintTransCornerStdPic",
         [](const PaintEffects& fx, HDC d, const PictureSource* p) {
             fx.PaintTransCornerStdPic(d, 0, 0, 4, 4, p, 0, 0);
         }},
        {"PaintDisabledCornerStdPic",
         [](const PaintEffects& fx, HDC d, const PictureSource* p) {
             fx.PaintDisabledCornerStdPic(d, 0, 0, 4, 4, p, 0, 0);
         }},
        {"PaintGreyScaleCornerStdPic",
         [](const PaintEffects& fx, HDC d, const PictureSource* p) {
             fx.PaintGreyScaleCornerStdPic(d, 0, 0, 4, 4, p, 0, 0);
         }},
    };
    return calls;
}

void expectRefused(const PaintEffects& fx, const NamedCall& c, const PictureSource* picture) {
    const Grid before = sentinelGrid(6, 6);
    const Canvas dst = canvasOf(before);
    runChecked(
        [&] {
            try {
                c.call(fx, dst.dc(), picture);
                ADD_FAILURE() << "no error raised";
            } catch (const EffectsError& e) {
                EXPECT_EQ(e.number(), 481);
                EXPECT_EQ(e.description(), "Invalid picture");
                EXPECT_FALSE(e.source().empty());
            }
        },
        {dst.dc()});
    EXPECT_TRUE(gridsEqual(readGrid(dst), before)) << "something was drawn";
}

TEST(PictureErrors, MissingAndUndrawablePicturesFailWith481) {
    const PaintEffects fx;
    // A real bitmap handle behind the wrong types: the type alone decides.
    OwnedBitmap bitmap(Grid(4, 4, 0x0000FF));
    const FakePicture metafile(PICTYPE_METAFILE, bitmap.handle());
    const FakePicture empty(PICTYPE_NONE, nullptr);
    const FakePicture enhanced(PICTYPE_ENHMETAFILE, bitmap.handle());
    const FakePicture uninitialised(PICTYPE_UNINITIALIZED, nullptr);
    const PictureSource* pictures[] = {nullptr, &metafile, &empty, &enhanced, &uninitialised};
    for (const auto& c : pictureCalls()) {
        for (const PictureSource* p : pictures) {
            SCOPED_TRACE(testing::Message() << c.name << " type " << (p ? p->type() : -99));
            expectRefused(fx, c, p);
        }
    }
}

TEST(PictureErrors, RuntimePicturesAreRefusedOrDrawnThroughTheAdaptor) {
    const PaintEffects fx;
    const OlePictureSource none(nullptr);
    const OlePictureSource empty(ole::Picture::empty());
    const OlePictureSource metafile(ole::Picture::metafile(1000, 1000));
    for (const auto& c : pictureCalls()) {
        for (const PictureSource* p : {&none, &empty, &metafile}) {
            SCOPED_TRACE(testing::Message() << c.name << " type " << p->type());
            expectRefused(fx, c, p);
        }
    }

    OwnedBitmap bitmap(Grid(4, 4, 0x0000FF));
    const OlePictureSource picture(ole::Picture::fromBitmap(bitmap.handle(), false));
    const Canvas dst = Canvas::color(6, 6, 0xFFFFFF);
    runChecked([&] { fx.PaintNormalStdPic(dst.dc(), 1, 1, 4, 4, &picture, 0, 0); }, {dst.dc()});
    Grid expected(6, 6, 0xFFFFFF);
    paste(expected, Grid(4, 4, 0x0000FF), 1, 1);
    EXPECT_TRUE(gridsEqual(readGrid(dst), expected));
}

}  // namespace
}  // namespace qv::effects::test
