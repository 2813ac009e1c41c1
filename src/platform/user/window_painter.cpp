// SPDX-License-Identifier: MIT
#include "platform/user/window_painter.h"

#include <algorithm>

#include "platform/user/thread_state.h"

namespace qv::user {

namespace {

bool emptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return emptyRect(r) ? RECT{} : r;
}

RECT unite(const RECT& a, const RECT& b) {
    if (emptyRect(a)) {
        return b;
    }
    if (emptyRect(b)) {
        return a;
    }
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

Window* findPending(Window* w) {
    if (!w->visibleFlag()) {
        return nullptr;
    }
    if (!emptyRect(w->update)) {
        return w;
    }
    for (Window* c : w->children) {
        if (Window* found = findPending(c)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

void invalidateWindow(Window* w, const RECT* rect, bool erase) {
    const RECT client{0, 0, w->width(), w->height()};
    const RECT r = rect != nullptr ? intersect(client, *rect) : client;
    if (emptyRect(r)) {
        return;
    }
    if (emptyRect(w->update)) {
        ++threadState().windowsToPaint;
    }
    w->update = unite(w->update, r);
    w->eraseOnPaint = w->eraseOnPaint || erase;
    for (Window* c : w->children) {
        if (!c->visibleFlag()) {
            continue;
        }
        RECT part = intersect(r, c->rect);
        if (emptyRect(part)) {
            continue;
        }
        OffsetRect(&part, -c->rect.left, -c->rect.top);
        invalidateWindow(c, &part, true);
    }
}

void invalidateBeneath(Window* w) {
    if (w->parent != nullptr) {
        invalidateWindow(w->parent, &w->rect, true);
    }
}

void validateWindow(Window* w, const RECT* rect) {
    // The update area is one rectangle; validating part of it keeps all of
    // it, which repaints a little more than needed but never less.
    if (emptyRect(w->update)) {
        w->eraseOnPaint = false;
        return;
    }
    if (rect == nullptr || contains(*rect, w->update)) {
        --threadState().windowsToPaint;
        w->update = RECT{};
        w->eraseOnPaint = false;
    }
}

Window* nextWindowToPaint(HWND filter) {
    auto& ts = threadState();
    if (ts.windowsToPaint <= 0) {
        return nullptr;
    }
    if (filter != nullptr) {
        Window* w = ts.windows.find(filter);
        return w != nullptr && ts.windows.reallyVisible(w) ? findPending(w) : nullptr;
    }
    for (Window* top : ts.windows.topLevels()) {
        if (Window* found = findPending(top)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace qv::user
