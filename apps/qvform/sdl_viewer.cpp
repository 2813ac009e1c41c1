#include "sdl_viewer.h"

#include <SDL.h>

#include <cctype>
#include <iostream>
#include <memory>
#include <vector>

#include "host/form.h"
#include "host/form_runner.h"
#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/screen.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"

namespace qv::qvform {

namespace {

struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};

struct SdlSession {
    SdlSession() : ok(SDL_Init(SDL_INIT_VIDEO) == 0) {}
    ~SdlSession() { SDL_Quit(); }
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;
    bool ok;
};

// The platform's virtual key for an SDL key, or 0 for keys it does not know.
UINT virtualKey(SDL_Keycode key) {
    if (key < 128 && std::isalnum(key)) return static_cast<UINT>(std::toupper(key));
    switch (key) {
        case SDLK_RETURN:
            return VK_RETURN;
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_DELETE:
            return VK_DELETE;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        default:
            return 0;
    }
}

// Copies the platform's screen into `texture` (32-bpp, `width` x `height`).
void copyScreen(SDL_Texture* texture, int width, int height, std::vector<std::uint32_t>& pixels) {
    HBITMAP screen = user::captureScreen();
    if (!screen) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    GetDIBits(dc, screen, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(screen);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
}

}  // namespace

int runInWindow(host::Form& form) {
    SdlSession sdl;
    if (!sdl.ok) {
        std::cerr << "qvform: cannot start SDL: " << SDL_GetError() << '\n';
        return 1;
    }
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<SDL_Window, SdlDeleter> window(SDL_CreateWindow(
        form.Caption().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, 0));
    std::unique_ptr<SDL_Renderer, SdlDeleter> renderer(
        window ? SDL_CreateRenderer(window.get(), -1, 0) : nullptr);
    std::unique_ptr<SDL_Texture, SdlDeleter> texture(
        renderer ? SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height)
                 : nullptr);
    if (!texture) {
        std::cerr << "qvform: cannot open a window: " << SDL_GetError() << '\n';
        return 1;
    }

    bool quit = false;
    std::vector<std::uint32_t> pixels;
    // Every loop of the platform (the form's, a modal dialog's, a message
    // box's) comes here when it has nothing to do: feed it the input of the
    // SDL window and show the screen as it stands.
    user::setIdleHandler([&] {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 30)) {
            do {
                switch (event.type) {
                    case SDL_QUIT:
                        quit = true;
                        break;
                    case SDL_MOUSEMOTION:
                        user::mouseMove(event.motion.x, event.motion.y);
                        break;
                    case SDL_MOUSEBUTTONDOWN:
                    case SDL_MOUSEBUTTONUP: {
                        const auto button = event.button.button == SDL_BUTTON_RIGHT
                                                ? user::MouseButton::Right
                                                : user::MouseButton::Left;
                        user::mouseMove(event.button.x, event.button.y);
                        if (event.type == SDL_MOUSEBUTTONDOWN) {
                            user::mouseDown(button);
                        } else {
                            user::mouseUp(button);
                        }
                        break;
                    }
                    case SDL_KEYDOWN:
                    case SDL_KEYUP:
                        if (UINT vk = virtualKey(event.key.keysym.sym)) {
                            if (event.type == SDL_KEYDOWN) {
                                user::keyDown(vk);
                            } else {
                                user::keyUp(vk);
                            }
                        }
                        break;
                    default:
                        break;
                }
            } while (SDL_PollEvent(&event));
        }
        // A handler's failure that no modal Show took (a click whose box
        // could not be shown): say so and go on.
        if (auto error = host::FormRunner::takePendingError()) {
            std::cerr << "qvform: error " << error->number() << " from " << error->source() << ": "
                      << error->description() << '\n';
        }
        copyScreen(texture.get(), width, height, pixels);
        SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
        SDL_RenderPresent(renderer.get());
        // A close request unloads the form, which ends the loop below.
        if (quit && form.loaded()) {
            host::FormRunner::Unload(std::static_pointer_cast<host::Form>(form.shared_from_this()));
        }
        return true;
    });
    user::runModalLoop(host::FormRunner::frameOf(form), [&] { return quit || !form.loaded(); });
    user::setIdleHandler(nullptr);
    return 0;
}

}  // namespace qv::qvform
