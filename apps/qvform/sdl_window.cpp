#include "sdl_window.h"

namespace qv::qvform {

SdlWindow::SdlWindow(const ShownWindow& shown, int x, int y, bool centred)
    : m_caption(shown.caption),
      m_width(shown.client.right - shown.client.left),
      m_height(shown.client.bottom - shown.client.top) {
    const Uint32 flags =
        shown.framed ? 0u : SDL_WINDOW_BORDERLESS | SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
    const int at = centred ? static_cast<int>(SDL_WINDOWPOS_CENTERED) : 0;
    m_window.reset(SDL_CreateWindow(m_caption.c_str(), centred ? at : x, centred ? at : y, m_width,
                                    m_height, flags));
    if (!m_window) return;
    m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, 0));
    if (m_renderer) makeTexture();
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
        SDL_SetWindowSize(m_window.get(), width, height);
        makeTexture();
    }
    if (!m_texture || pixels.size() != static_cast<std::size_t>(width) * height) return;
    SDL_UpdateTexture(m_texture.get(), nullptr, pixels.data(), width * 4);
    SDL_RenderCopy(m_renderer.get(), m_texture.get(), nullptr, nullptr);
    SDL_RenderPresent(m_renderer.get());
}

}  // namespace qv::qvform
