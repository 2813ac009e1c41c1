// SPDX-License-Identifier: MIT
// Captions drawn into the space their control gives them, and a check that
// sees every one that needs more room than it gets (a test installs it and
// shows forms; nothing is measured while none is installed).
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

namespace qv::host {

struct ClippedCaption {
    std::string text;
    SIZE space{};   // what the control gives
    SIZE needed{};  // what the text takes in the DC's font
};

// While one exists on a thread, the captions drawn there are measured.
class CaptionFitCheck {
  public:
    CaptionFitCheck();
    ~CaptionFitCheck();
    CaptionFitCheck(const CaptionFitCheck&) = delete;
    CaptionFitCheck& operator=(const CaptionFitCheck&) = delete;

    // The captions that did not fit, once each, in the order drawn.
    const std::vector<ClippedCaption>& clipped() const noexcept { return m_clipped; }
    void note(ClippedCaption caption);

  private:
    CaptionFitCheck* m_outer;
    std::vector<ClippedCaption> m_clipped;
};

// Draws a caption with DrawTextA in `rect` and `format` (single line, or
// words broken over lines with DT_WORDBREAK). Returns DrawTextA's result.
int drawCaptionText(HDC dc, const std::string& text, RECT rect, UINT format);

}  // namespace qv::host
