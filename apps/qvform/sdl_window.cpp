// SPDX-License-Identifier: MIT
#include "sdl_window.h"

#include <SDL_syswm.h>
#ifdef QV_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace qv::qvform {

SdlWindow::SdlWindow(const ShownWindow& shown, int x, int y, bool centred, bool dialog)
    : m_caption(shown.caption),
      m_width(shown.client.right - shown.client.left),
      m_height(shown.client.bottom - shown.client.top) {
    // A dialog is made hidden: a window manager reads what kind of window
    // it is when it is first shown.
    const Uint32 flags = !shown.framed
                             ? SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR
                         : dialog ? SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_HIDDEN
                                  : 0u;
    const int at = centred ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : 0;
    m_window.reset(SDL_CreateWindow(m_caption.c_str(), centred ? at : x, centred ? at : y, m_width,
                                    m_height, flags));
    if (!m_window) return;
    keepSize();
    // The renderer may make the window afresh (for OpenGL): the hints go on
    // the window it leaves, before the window manager's first look at it.
    m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, 0));
    if (m_renderer) makeTexture();
    if (dialog) {
        markAsDialog();
        SDL_ShowWindow(m_window.get());
    }
}

void SdlWindow::setIcon(const std::vector<std::uint32_t>& argb) {
    constexpr int n = kWindowIconSize;
    if (argb.size() != static_cast<std::size_t>(n) * n) return;
    std::vector<std::uint32_t> pixels = argb;  // SDL does not copy from a const buffer
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), n, n, 32, n * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(m_window.get(), icon);
    SDL_FreeSurface(icon);
}

void SdlWindow::markAsDialog() {
#ifdef QV_HAVE_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(m_window.get(), &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    const ::Window window = info.info.x11.window;
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
    // The window manager's older hints: it may be moved and closed, and it
    // has a border, a title and a menu, but no minimise or maximise.
    constexpr long kFunctionsAndDecorations = 1 | 2;
    constexpr long kMoveAndClose = 4 | 32;
    constexpr long kBorderTitleMenu = 2 | 8 | 16;
    long hints[5] = {kFunctionsAndDecorations, kMoveAndClose, kBorderTitleMenu, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XFlush(display);
#endif
}

void SdlWindow::keepSize() {
    // A window manager may still force another size; the picture then stays
    // at its size in the corner (see present), where the pointer finds it.
    SDL_SetWindowMinimumSize(m_window.get(), m_width, m_height);
    SDL_SetWindowMaximumSize(m_window.get(), m_width, m_height);
}

void SdlWindow::makeTexture() {
    m_texture.reset(SDL_CreateTexture(m_renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, m_width, m_height));
}

void SdlWindow::present(const ShownWindow& shown, const std::vector<std::uint32_t>& pixels) {
    if (shown.caption != m_caption) {
        m_caption = shown.caption;
        SDL_SetWindowTitle(m_window.get(), m_caption.c_str());
    }
    const int width = shown.client.right - shown.client.left;
    const int height = shown.client.bottom - shown.client.top;
    if (width != m_width || height != m_height) {
        m_width = width;
        m_height = height;
        keepSize();
        SDL_SetWindowSize(m_window.get(), width, height);
        makeTexture();
    }
    if (!m_texture || pixels.size() != static_cast<std::size_t>(width) * height) return;
    SDL_UpdateTexture(m_texture.get(), nullptr, pixels.data(), width * 4);
    // Drawn one to one from the top left corner, never stretched, so that a
    // click lands on what is drawn under it whatever size the window has.
    const SDL_Rect at{0, 0, width, height};
    SDL_SetRenderDrawColor(m_renderer.get(), 0xC0, 0xC0, 0xC0, 0xFF);
    SDL_RenderClear(m_renderer.get());
    SDL_RenderCopy(m_renderer.get(), m_texture.get(), nullptr, &at);
    SDL_RenderPresent(m_renderer.get());
}

}  // namespace qv::qvform
