// SPDX-License-Identifier: MIT
// The face of the picture button: the background or button-face fill, the
// border of the toggled and raised looks, the separator and gripper, and the
// picture of the state, centred and drawn through PaintEffects. Written
// against the platform's drawing API only, like the routines it uses.
#pragma once

#include <cstdint>

#include "effects/paint_effects.h"
#include "effects/picture_source.h"
#include "platform/win32.h"

namespace qv::softbutton {

// Values of the button's Style.
namespace button_style {
inline constexpr std::int16_t Flat = 0;
inline constexpr std::int16_t FlatThick = 1;
inline constexpr std::int16_t Separator = 2;
inline constexpr std::int16_t Gripper = 3;
inline constexpr std::int16_t Toggle = 4;
inline constexpr std::int16_t Raised = 5;
}  // namespace button_style

// Whether a style follows the mouse with a tracking look (0, 1, 4 and 5).
bool tracksMouse(std::int16_t style);
// Whether a style draws the two-pixel frame (1 and 5).
bool thickFrame(std::int16_t style);

// What painting reads of the button's state.
struct FaceState {
    std::int16_t style = button_style::Flat;
    bool hot = false;
    bool mouseDown = false;
    bool mouseOver = false;
    bool value = false;
    bool enabled = false;
    OLE_COLOR paintBackColor = 0;
};

// The four pictures; a null pointer is no picture.
struct FacePictures {
    const effects::PictureSource* picture = nullptr;
    const effects::PictureSource* down = nullptr;
    const effects::PictureSource* flat = nullptr;
    const effects::PictureSource* disabled = nullptr;
};

// True when `picture` is set and has a handle.
bool HasPicture(const effects::PictureSource* picture);

// The picture an enabled button shows in `state`; pictures.picture when it
// has none of the others for that state.
const effects::PictureSource* chooseEnabledPicture(const FaceState& state,
                                                   const FacePictures& pictures);

// Where a picture of `pictureSize` pixels goes on a surface of `surfaceSize`
// pixels: centred, and one pixel further when `pressed`, halves to even.
int centredOffset(double surfaceSize, int pictureSize, bool pressed);

// A HiMetric length in whole pixels at 96 dots per inch, halves to even.
int hiMetricToPixels(LONG hiMetric);

// Whether paintFace, for `state`, begins by filling the whole surface with
// the back colour, so that whatever the surface held before cannot show.
bool faceFillsSurface(const FaceState& state);

// Paints the face of a width x height button on hdc. `patternBrush` fills
// the face of a toggle button that is down. A step that fails (a picture
// PaintEffects refuses, a colour the platform cannot translate) is left out
// and painting goes on. Returns the new value of the "drawn up" flag, which
// only the tracking styles change (the caller keeps its value otherwise).
bool paintFace(HDC hdc, float width, float height, const FaceState& state,
               const FacePictures& pictures, const effects::PaintEffects& effects,
               HBRUSH patternBrush, bool drawnUp);

}  // namespace qv::softbutton
