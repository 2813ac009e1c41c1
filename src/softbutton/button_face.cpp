// SPDX-License-Identifier: MIT
#include "softbutton/button_face.h"

#include "effects/effects_error.h"
#include "softbutton/button_drawing.h"

namespace qv::softbutton {

namespace {

using namespace button_style;

// The background of a tracking style, by the first matching rule.
void paintBackground(HDC hdc, float sw, float sh, const FaceState& s, bool drawnUp,
                     HBRUSH patternBrush) {
    const bool thick = thickFrame(s.style);
    if (s.hot) {
        const float inset = thick && !drawnUp ? 2.0f : 1.0f;
        fillBox(hdc, inset, inset, sw - 2, sh - 2, kButtonFace);
        return;
    }
    if (s.style == Toggle) {
        if (!s.value) {
            fillBox(hdc, 0, 0, sw, sh, s.paintBackColor);
            return;
        }
        if (s.mouseOver) {
            fillBox(hdc, 1, 1, sw - 2, sh - 2, kButtonFace);
        } else {
            FillPattern(hdc, patternBrush, 1, 1, sw - 2, sh - 2);
        }
        Draw3DBox(hdc, 0, 0, sw, sh, true, false);
        return;
    }
    if (s.style == Raised) {
        if (drawnUp) {
            fillBox(hdc, 1, 1, sw - 2, sh - 2, kButtonFace);
        } else {
            fillBox(hdc, 2, 2, sw - 1, sh - 1, kButtonFace);
        }
        Draw3DBox(hdc, 0, 0, sw, sh, false, true);
        return;
    }
    fillBox(hdc, 0, 0, sw, sh, s.paintBackColor);
}

// Draws `picture` centred with its corner colour transparent, or embossed.
void paintPicture(HDC hdc, float sw, float sh, const effects::PictureSource* picture, bool pressed,
                  bool embossed, const effects::PaintEffects& effects) {
    try {
        const int pw = hiMetricToPixels(picture->width());
        const int ph = hiMetricToPixels(picture->height());
        const int x = centredOffset(sw, pw, pressed);
        const int y = centredOffset(sh, ph, pressed);
        if (embossed) {
            effects.PaintDisabledCornerStdPic(hdc, x, y, pw, ph, picture, 0, 0, nullptr);
        } else {
            effects.PaintTransCornerStdPic(hdc, x, y, pw, ph, picture, 0, 0, nullptr);
        }
    } catch (const effects::EffectsError&) {
        // A picture that cannot be drawn (a metafile) is left out.
    }
}

}  // namespace

bool tracksMouse(std::int16_t style) {
    return style == Flat || style == FlatThick || style == Toggle || style == Raised;
}

bool thickFrame(std::int16_t style) {
    return style == FlatThick || style == Raised;
}

bool faceFillsSurface(const FaceState& s) {
    COLORREF rgb = 0;
    if (OleTranslateColor(s.paintBackColor, nullptr, &rgb) != S_OK) return false;
    if (s.style == Separator || s.style == Gripper) return true;
    // The tracking looks that begin with the back colour (paintBackground).
    if (!tracksMouse(s.style) || s.hot) return false;
    return s.style == Flat || s.style == FlatThick || (s.style == Toggle && !s.value);
}

bool HasPicture(const effects::PictureSource* picture) {
    return picture != nullptr && picture->handle() != nullptr;
}

const effects::PictureSource* chooseEnabledPicture(const FaceState& s, const FacePictures& p) {
    if (((s.style == Toggle && s.value) || s.mouseDown) && HasPicture(p.down)) return p.down;
    if (HasPicture(p.flat) && !s.mouseOver) return p.flat;
    return p.picture;
}

int centredOffset(double surfaceSize, int pictureSize, bool pressed) {
    return nearestEven((surfaceSize - pictureSize) / 2.0 + (pressed ? 1 : 0));
}

int hiMetricToPixels(LONG hiMetric) {
    return nearestEven(static_cast<double>(hiMetric) * 96.0 / 2540.0);
}

bool paintFace(HDC hdc, float sw, float sh, const FaceState& s, const FacePictures& pictures,
               const effects::PaintEffects& effects, HBRUSH patternBrush, bool drawnUp) {
    if (s.style == Separator || s.style == Gripper) {
        fillBox(hdc, 0, 0, sw, sh, s.paintBackColor);
        const int k = nearestEven(sw) / 2;
        if (s.style == Separator) {
            DrawEtchedLine(hdc, static_cast<float>(k - 1), 0, 2, sh);
        } else {
            DrawGripBar(hdc, static_cast<float>(k - 4), 0, 3, sh);
            DrawGripBar(hdc, static_cast<float>(k), 0, 3, sh);
        }
        return drawnUp;
    }
    if (!tracksMouse(s.style)) return drawnUp;

    drawnUp = !(s.mouseDown && s.mouseOver);
    paintBackground(hdc, sw, sh, s, drawnUp, patternBrush);
    if (!HasPicture(pictures.picture)) return drawnUp;
    if (s.enabled) {
        paintPicture(hdc, sw, sh, chooseEnabledPicture(s, pictures), !drawnUp, false, effects);
        return drawnUp;
    }
    // Disabled: never shifted, the disabled picture or the normal one embossed.
    if (HasPicture(pictures.disabled)) {
        paintPicture(hdc, sw, sh, pictures.disabled, false, false, effects);
    } else {
        paintPicture(hdc, sw, sh, pictures.picture, false, true, effects);
    }
    return true;
}

}  // namespace qv::softbutton
