// SPDX-License-Identifier: MIT
#include "host/caption_fit.h"

#include <algorithm>

namespace qv::host {
namespace {

thread_local CaptionFitCheck* t_check = nullptr;

}  // namespace

CaptionFitCheck::CaptionFitCheck() : m_outer(t_check) {
    t_check = this;
}

CaptionFitCheck::~CaptionFitCheck() {
    t_check = m_outer;
}

void CaptionFitCheck::note(ClippedCaption caption) {
    const bool seen = std::ranges::any_of(m_clipped, [&](const ClippedCaption& c) {
        return c.text == caption.text && c.space.cx == caption.space.cx &&
               c.space.cy == caption.space.cy;
    });
    if (!seen) m_clipped.push_back(std::move(caption));
}

int drawCaptionText(HDC dc, const std::string& text, RECT rect, UINT format) {
    if (t_check && !text.empty()) {
        // Measured as drawn: the same font, format and, for broken lines,
        // the same width.
        const SIZE space{rect.right - rect.left, rect.bottom - rect.top};
        RECT needed{0, 0, space.cx, 0};
        const UINT measure = (format & (DT_SINGLELINE | DT_WORDBREAK | DT_NOPREFIX)) | DT_CALCRECT;
        DrawTextA(dc, text.c_str(), -1, &needed, measure);
        const SIZE size{needed.right - needed.left, needed.bottom - needed.top};
        if (size.cx > space.cx || size.cy > space.cy) t_check->note({text, space, size});
    }
    return DrawTextA(dc, text.c_str(), -1, &rect, format);
}

}  // namespace qv::host
