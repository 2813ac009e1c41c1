// SPDX-License-Identifier: MIT
#include "platform/user/window_registry.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cctype>

namespace qv::user {

namespace {

std::string foldCase(const std::string& s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

bool isTopmost(const Window* w) {
    return (w->exStyle & WS_EX_TOPMOST) != 0;
}

// Handles are unique across threads, so a window of another thread is never
// mistaken for one of this thread; they stay below 2^31 like the platform's.
std::uintptr_t nextHandle() {
    static std::atomic<std::uintptr_t> s_next{0x10000};
    return s_next.fetch_add(4);
}

}  // namespace

std::shared_ptr<WindowClass> WindowRegistry::findClass(const std::string& name) const {
    auto it = m_classes.find(foldCase(name));
    return it == m_classes.end() ? nullptr : it->second;
}

bool WindowRegistry::addClass(std::shared_ptr<WindowClass> cls) {
    return m_classes.emplace(foldCase(cls->name), std::move(cls)).second;
}

bool WindowRegistry::removeClass(const std::string& name) {
    auto it = m_classes.find(foldCase(name));
    if (it == m_classes.end()) {
        return false;
    }
    // The registry holds one reference; every window holds another.
    if (it->second.use_count() > 1) {
        return false;
    }
    m_classes.erase(it);
    return true;
}

Window* WindowRegistry::find(HWND hwnd) const {
    if (hwnd == nullptr) {
        return nullptr;
    }
    auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

Window* WindowRegistry::create(std::shared_ptr<WindowClass> cls, Window* parent) {
    auto w = std::make_unique<Window>();
    w->handle = reinterpret_cast<HWND>(nextHandle());
    w->cls = std::move(cls);
    w->proc = w->cls->proc;
    w->procChain.push_back(w->proc);
    w->parent = parent;
    Window* raw = w.get();
    m_windows.emplace(raw->handle, std::move(w));
    m_live.insert(raw);
    siblingsOf(raw).push_back(raw);
    return raw;
}

void WindowRegistry::erase(Window* w) {
    assert(holds(w) && "a window record used after a send destroyed it");
    auto& list = siblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    for (auto& [handle, other] : m_windows) {
        if (other->owner == w) {
            other->owner = nullptr;
        }
    }
    m_live.erase(w);
    m_windows.erase(w->handle);
}

std::vector<Window*>& WindowRegistry::siblingsOf(const Window* w) {
    assert(holds(w) && "a window record used after a send destroyed it");
    return w->parent != nullptr ? w->parent->children : m_topLevels;
}

void WindowRegistry::raise(Window* w) {
    auto& list = siblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    if (w->parent != nullptr || isTopmost(w)) {
        list.push_back(w);
        return;
    }
    // Top of the ordinary band: just below the first topmost window.
    auto it = std::find_if(list.begin(), list.end(), isTopmost);
    list.insert(it, w);
}

void WindowRegistry::lower(Window* w) {
    auto& list = siblingsOf(w);
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    if (w->parent == nullptr && isTopmost(w)) {
        auto it = std::find_if(list.begin(), list.end(), isTopmost);
        list.insert(it, w);
        return;
    }
    list.insert(list.begin(), w);
}

void WindowRegistry::placeBelow(Window* w, Window* above) {
    auto& list = siblingsOf(w);
    if (above == w || &siblingsOf(above) != &list) {
        return;
    }
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
    auto it = std::find(list.begin(), list.end(), above);
    list.insert(it, w);
    if (w->parent == nullptr) {
        restack(w);
    }
}

void WindowRegistry::restack(Window* w) {
    if (w->parent != nullptr) {
        return;
    }
    // Keep the band invariant: every ordinary window below every topmost one.
    std::stable_partition(m_topLevels.begin(), m_topLevels.end(),
                          [](const Window* x) { return !isTopmost(x); });
}

POINT WindowRegistry::screenOrigin(const Window* w) const {
    assert(holds(w) && "a window record used after a send destroyed it");
    POINT p{0, 0};
    for (const Window* x = w; x != nullptr; x = x->parent) {
        p.x += x->rect.left;
        p.y += x->rect.top;
    }
    return p;
}

bool WindowRegistry::reallyVisible(const Window* w) const {
    assert(holds(w) && "a window record used after a send destroyed it");
    for (const Window* x = w; x != nullptr; x = x->parent) {
        if (!x->visibleFlag()) {
            return false;
        }
    }
    return true;
}

Window* WindowRegistry::hitTest(POINT screen) const {
    const std::vector<Window*>* list = &m_topLevels;
    Window* found = nullptr;
    POINT local = screen;  // in the coordinates of the current list
    for (;;) {
        Window* next = nullptr;
        for (auto it = list->rbegin(); it != list->rend(); ++it) {
            Window* w = *it;
            if (!w->visibleFlag() || (w->exStyle & WS_EX_TRANSPARENT) != 0) {
                continue;
            }
            if (local.x >= w->rect.left && local.x < w->rect.right && local.y >= w->rect.top &&
                local.y < w->rect.bottom) {
                next = w;
                break;
            }
        }
        if (next == nullptr) {
            return found;
        }
        if (!next->enabledFlag()) {
            return found;  // a disabled child gives way to its parent
        }
        found = next;
        local.x -= next->rect.left;
        local.y -= next->rect.top;
        list = &next->children;
    }
}

Window* WindowRegistry::topLevelOf(Window* w) const {
    assert(w == nullptr || holds(w));
    while (w != nullptr && w->parent != nullptr) {
        w = w->parent;
    }
    return w;
}

}  // namespace qv::user
