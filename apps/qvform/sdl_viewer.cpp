// SPDX-License-Identifier: MIT
#include "sdl_viewer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "close_question.h"
#include "host/error.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/message_box.h"
#include "host/message_box_service.h"
#include "platform/user/clipboard.h"
#include "platform/user/input.h"
#include "platform/user/message_loop.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"
#include "sdl_keys.h"
#include "sdl_window.h"
#include "shown_windows.h"

namespace qv::qvform {

namespace {

// A point on no window: where the pointer goes when it leaves every window,
// so that whatever lit up under it goes dark.
constexpr int kNowhere = -32000;

// Starts SDL's video, giving up after `limit`: a display on a host that
// does not answer would otherwise keep the program waiting with no window
// and no word. Returns whether it started; `error` says why not.
bool initVideoWithin(std::chrono::seconds limit, std::string& error) {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!done.wait_for(lock, limit, [&] { return finished; })) {
            std::cerr << "qvform: the display \""
                      << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "")
                      << "\" did not answer within " << limit.count() << " seconds\n";
            std::_Exit(2);
        }
    });
    const bool ok = SDL_Init(SDL_INIT_VIDEO) == 0;
    if (!ok) error = SDL_GetError();
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    done.notify_one();
    watchdog.join();
    return ok;
}

}  // namespace

std::unique_ptr<Desktop> Desktop::open(std::string& error) {
#ifdef SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE
    // Closing the form's window asks first; SDL must not quit on its own.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
#endif
    // Without a display SDL may fall back to drivers that show nothing (or
    // take over the console); only a driver asked for by name is tried then.
    if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY")) {
        error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return nullptr;
    }
#ifdef SDL_HINT_VIDEODRIVER
    // Only the window systems the environment names: a display that names
    // no running server must fail here, not fall through to a driver that
    // shows nothing.
    if (!std::getenv("SDL_VIDEODRIVER")) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, std::getenv("WAYLAND_DISPLAY") ? "wayland,x11" : "x11");
    }
#endif
    if (!initVideoWithin(std::chrono::seconds(5), error)) return nullptr;
    // Characters come from the window system's text input, which knows the
    // keyboard layout, dead keys and input methods; keys make only the
    // control characters.
    SDL_StartTextInput();
    user::setPrintableCharsFromKeys(false);
    // Copy and paste reach other programs through the window system.
    user::shareClipboard(
        {[]() -> std::optional<std::string> {
             if (!SDL_HasClipboardText()) return std::string();
             char* text = SDL_GetClipboardText();
             if (!text) return std::nullopt;
             std::string out(text);
             SDL_free(text);
             return out;
         },
         [](std::string_view text) { SDL_SetClipboardText(std::string(text).c_str()); }});
    return std::unique_ptr<Desktop>(new Desktop);
}

Desktop::~Desktop() {
    user::shareClipboard({});
    user::setPrintableCharsFromKeys(true);
    m_mirrors.clear();
    SDL_Quit();
}

int Desktop::run(host::Form& form) {
    m_form = &form;
    // Every loop of the platform (the form's, a modal dialog's, a message
    // box's) comes here when it has nothing to do.
    user::setIdleHandler([this] {
        idle();
        return true;
    });
    sync();
    user::runModalLoop(host::FormRunner::frameOf(form), [&form] { return !form.loaded(); });
    user::setIdleHandler(nullptr);
    m_mirrors.clear();
    return 0;
}

void Desktop::tell(const std::string& text) {
    m_form = nullptr;
    user::setIdleHandler([this] {
        idle();
        return true;
    });
    try {
        host::MsgBox(text, host::msgbox::Critical, "qvform");
    } catch (const host::Error&) {
        // The box could not be shown: the terminal has the reason already.
    }
    user::setIdleHandler(nullptr);
    m_mirrors.clear();
}

void Desktop::idle() {
    // The events are taken first: handling one may run a nested loop (a
    // message box) that comes back here for the next ones.
    std::vector<SDL_Event> events;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, 30)) {
        do {
            events.push_back(event);
        } while (SDL_PollEvent(&event));
    }
    for (const SDL_Event& e : events) handle(e);
    // A handler's failure that no modal Show took (a click whose box could
    // not be shown): say so and go on.
    if (auto error = host::FormRunner::takePendingError()) {
        std::cerr << "qvform: error " << error->number() << " from " << error->source() << ": "
                  << error->description() << '\n';
    }
    sync();
}

SdlWindow* Desktop::mirrorOf(Uint32 windowId, ShownWindow* shown) {
    for (const auto& [hwnd, mirror] : m_mirrors) {
        if (mirror->id() != windowId) continue;
        for (const ShownWindow& w : shownWindows()) {
            if (w.hwnd != hwnd) continue;
            *shown = w;
            return mirror.get();
        }
    }
    return nullptr;
}

void Desktop::handle(const SDL_Event& event) {
    ShownWindow shown;
    POINT at{};
    switch (event.type) {
        case SDL_QUIT:
            if (HWND frame = m_form ? host::FormRunner::frameOf(*m_form) : nullptr) {
                if (m_mirrors.contains(frame)) requestClose(m_mirrors[frame]->id());
            }
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                requestClose(event.window.windowID);
            } else if (event.window.event == SDL_WINDOWEVENT_LEAVE && !GetCapture()) {
                user::mouseMove(kNowhere, kNowhere);
            }
            break;
        case SDL_MOUSEMOTION:
            if (mirrorOf(event.motion.windowID, &shown) &&
                reachesWindow(shown, event.motion.x, event.motion.y, &at)) {
                user::mouseMove(at.x, at.y);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (!mirrorOf(event.button.windowID, &shown) ||
                !reachesWindow(shown, event.button.x, event.button.y, &at)) {
                break;
            }
            const auto button = event.button.button == SDL_BUTTON_RIGHT ? user::MouseButton::Right
                                : event.button.button == SDL_BUTTON_MIDDLE
                                    ? user::MouseButton::Middle
                                    : user::MouseButton::Left;
            user::mouseMove(at.x, at.y);
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
        case SDL_TEXTINPUT:
            // With Alt or Ctrl held a key is a command (an access key, a
            // clipboard key), not text.
            if (GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
                user::textInput(event.text.text);
            }
            break;
        default:
            break;
    }
}

void Desktop::requestClose(Uint32 windowId) {
    ShownWindow shown;
    if (!mirrorOf(windowId, &shown) || !shown.enabled) return;  // a modal window is in front
    if (!m_form || shown.hwnd != host::FormRunner::frameOf(*m_form)) {
        PostMessageA(shown.hwnd, WM_CLOSE, 0, 0);
        return;
    }
    try {
        if (!confirmClose(*m_form)) return;
        host::FormRunner::Unload(std::static_pointer_cast<host::Form>(m_form->shared_from_this()));
    } catch (const host::Error& e) {
        std::cerr << "qvform: " << e.description() << " (error " << e.number() << ")\n";
    }
}

const ShownWindow* Desktop::placedBy(const ShownWindow& w, const std::vector<ShownWindow>& shown,
                                     HWND frame) {
    // The owner chain's first framed window with a real window of its own;
    // else the form's window, which the window manager places.
    for (HWND owner = GetWindow(w.hwnd, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
        for (const ShownWindow& other : shown) {
            if (other.hwnd == owner && other.framed && m_mirrors.contains(owner)) return &other;
        }
    }
    if (w.hwnd == frame) return nullptr;
    for (const ShownWindow& other : shown) {
        if (other.hwnd == frame && m_mirrors.contains(frame)) return &other;
    }
    return nullptr;
}

void Desktop::sync() {
    const std::vector<ShownWindow> shown = shownWindows();
    std::erase_if(m_mirrors, [&](const auto& entry) {
        return std::ranges::none_of(shown,
                                    [&](const ShownWindow& w) { return w.hwnd == entry.first; });
    });
    // Windows keep on the desktop where they stand on the platform's screen
    // relative to the window they belong to (a list to its dialog, a dialog
    // to the form), wherever the window manager or the user has put that.
    const HWND frame = m_form ? host::FormRunner::frameOf(*m_form) : nullptr;
    for (const ShownWindow& w : shown) {
        const ShownWindow* anchor = placedBy(w, shown, frame);
        int ax = 0;
        int ay = 0;
        if (anchor) SDL_GetWindowPosition(m_mirrors[anchor->hwnd]->window(), &ax, &ay);
        const int x = anchor ? ax + w.client.left - anchor->client.left : 0;
        const int y = anchor ? ay + w.client.top - anchor->client.top : 0;
        auto& mirror = m_mirrors[w.hwnd];
        if (!mirror) {
            // A framed window other than the form's is a dialog: it belongs
            // to the form's window and has no task-bar entry of its own.
            const bool dialog = w.framed && frame && w.hwnd != frame;
            mirror = std::make_unique<SdlWindow>(w, x, y, anchor == nullptr, dialog);
            if (!mirror->ok()) {
                std::cerr << "qvform: cannot open a window: " << SDL_GetError() << '\n';
                m_mirrors.erase(w.hwnd);
                continue;
            }
            if (dialog && anchor) {
                SDL_SetWindowModalFor(mirror->window(), m_mirrors[anchor->hwnd]->window());
            }
            // Its own form's icon (the binoculars of Find), else the form's.
            if (w.framed) {
                std::vector<std::uint32_t> icon = iconPixels(w.hwnd);
                if (icon.empty() && frame) icon = iconPixels(frame);
                mirror->setIcon(icon);
            }
            if (w.framed) SDL_RaiseWindow(mirror->window());
        } else if (!w.framed && anchor) {
            SDL_SetWindowPosition(mirror->window(), x, y);
        }
        mirror->present(w, clientPixels(w));
    }
}

}  // namespace qv::qvform
