#include "sdl_window.h"

namespace qv::qvform {

SdlWindow::SdlWindow(const ShownWindow& shown, int x, int y, bool centred, bool dialog)
    : m_caption(shown.caption),
      m_width(shown.client.right - shown.client.left),
      m_height(shown.client.bottom - shown.client.top) {
    const Uint32 flags = !shown.framed
                             ? SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR
                         : dialog ? SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR
                                  : 0u;
    const int at = centred ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : 0;
    m_window.reset(SDL_CreateWindow(m_caption.c_str(), centred ? at : x, centred ? at : y, m_width,
                                    m_height, flags));
    if (!m_window) return;
    keepSize();
    m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, 0));
    if (m_renderer) makeTexture();
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
