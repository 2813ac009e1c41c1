// SPDX-License-Identifier: MIT
// qvRecordBar's size rules and drawing: the fixed height, the width floors,
// the status label's place, the border and the sunken box of the status line.
#include <cmath>
#include <optional>

#include "host/label.h"
#include "host/variant.h"
#include "navigator/qvRecordBar.h"
#include "platform/win32.h"

namespace qv::navigator {

namespace {

constexpr std::int32_t kHeight = 450;
constexpr std::int32_t kWidthWithStatus = 5775;
// Widths up to this one are brought to kWidthWithStatus.
constexpr std::int32_t kWidthWithStatusLimit = 5785;
constexpr std::int32_t kWidthWithoutStatus = 4000;
constexpr std::int32_t kStatusRightMargin = 5;

constexpr std::int32_t kShadow = static_cast<std::int32_t>(0x80000010);
constexpr std::int32_t kHighlight = static_cast<std::int32_t>(0x80000014);

struct EdgePair {
    UINT leftTop;
    UINT rightBottom;
};

// The edges of border styles 1 to 6; 0 and unknown values draw nothing.
std::optional<EdgePair> edgesOf(std::int16_t style) {
    switch (style) {
        case border_style::ThinRaised:
            return EdgePair{BDR_RAISEDINNER, BDR_RAISEDOUTER};
        case border_style::ThickRaised:
            return EdgePair{EDGE_RAISED, EDGE_RAISED};
        case border_style::ThinInset:
            return EdgePair{BDR_SUNKENINNER, BDR_SUNKENOUTER};
        case border_style::ThickInset:
            return EdgePair{EDGE_SUNKEN, EDGE_SUNKEN};
        case border_style::Etched:
            return EdgePair{EDGE_ETCHED, EDGE_ETCHED};
        case border_style::Bump:
            return EdgePair{EDGE_BUMP, EDGE_BUMP};
        default:
            return std::nullopt;
    }
}

std::int32_t twips(double value) {
    return static_cast<std::int32_t>(host::roundHalfEven(value));
}

}  // namespace

void qvRecordBar::UserControl_Resize() {
    setHeight(kHeight);
    host::Label& label = lblStatus();
    host::Bounds place = label.bounds();
    place.left = twips(ScaleWidth() - label.Width() - kStatusRightMargin);
    place.top = twips((ScaleHeight() - label.Height()) / 2.0);
    label.move(place);
    if (Width() <= kWidthWithStatusLimit && m_statusVisible) setWidth(kWidthWithStatus);
    if (Width() < kWidthWithoutStatus && !m_statusVisible) setWidth(kWidthWithoutStatus);
    Cls();
    UserControl_Paint();
}

void qvRecordBar::UserControl_Paint() {
    if (auto edges = edgesOf(m_borderStyle)) {
        RECT client{0, 0, surface().width(), surface().height()};
        if (hWnd()) GetClientRect(hWnd(), &client);
        DrawEdge(hDC(), &client, edges->leftTop, BF_LEFT | BF_TOP);
        DrawEdge(hDC(), &client, edges->rightBottom, BF_RIGHT | BF_BOTTOM);
    }
    if (m_statusVisible) {
        const host::Label& label = lblStatus();
        Draw3DBox(static_cast<float>(label.Left() - 2), 3.0f, static_cast<float>(label.Width() + 3),
                  ScaleHeight() - 6.0f);
    }
}

void qvRecordBar::Draw3DBox(float X, float Y, float W, float H) {
    Line(X, Y, X + W - 1, Y, kShadow);
    Line(X, Y, X, Y + H - 1, kShadow);
    // The right line reaches one unit lower, the bottom one one unit further.
    Line(X + W - 1, Y, X + W - 1, Y + H, kHighlight);
    Line(X, Y + H - 1, X + W, Y + H - 1, kHighlight);
}

}  // namespace qv::navigator
