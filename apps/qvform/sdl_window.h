// SPDX-License-Identifier: MIT
// One real window on the user's desktop that shows one top-level window of
// the platform: sized to its client area, titled with its caption.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shown_windows.h"

namespace qv::qvform {

class SdlWindow {
  public:
    // Opens a window for `shown` at (x, y) on the desktop, or where the
    // window manager likes when `centred`. Framed platform windows get a
    // decorated window (a `dialog` one of the dialog type, without a
    // task-bar entry, minimise or maximise), the others (tooltips, lists)
    // a borderless one that takes no focus. Check ok() afterwards.
    SdlWindow(const ShownWindow& shown, int x, int y, bool centred, bool dialog = false);
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool ok() const { return m_texture != nullptr; }
    // Gives the window the icon `argb` (kWindowIconSize square, 0xAARRGGBB).
    void setIcon(const std::vector<std::uint32_t>& argb);
    Uint32 id() const { return SDL_GetWindowID(m_window.get()); }
    SDL_Window* window() const { return m_window.get(); }

    // Follows `shown` (caption, size) and shows `pixels`, its client area as
    // clientPixels() gives it.
    void present(const ShownWindow& shown, const std::vector<std::uint32_t>& pixels);

  private:
    struct Deleter {
        void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
        void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
        void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
    };
    void makeTexture();
    // Asks the window manager to keep the window at the size of its picture.
    void keepSize();
    // Tells an X window manager the window is a dialog without minimise and
    // maximise; nothing elsewhere.
    void markAsDialog();

    std::unique_ptr<SDL_Window, Deleter> m_window;
    std::unique_ptr<SDL_Renderer, Deleter> m_renderer;
    std::unique_ptr<SDL_Texture, Deleter> m_texture;
    std::string m_caption;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace qv::qvform
