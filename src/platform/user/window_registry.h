// SPDX-License-Identifier: MIT
// The window classes and windows of one user-interface thread: handle lookup,
// the window tree with its z-order, coordinates and hit testing.
//
// A Window* is good only until the next message is sent. Any window
// procedure may destroy any window, its own included, and destroying frees
// the record; so code that sends (or calls anything that may send) keeps the
// HWND and looks the window up again with find() after every send. Debug
// builds check the rule: every member that takes a Window* asserts that the
// record is still one of this registry's.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/user/window.h"

namespace qv::user {

class WindowRegistry {
  public:
    // Returns the class registered under name (case-insensitive), or null.
    std::shared_ptr<WindowClass> findClass(const std::string& name) const;
    // Returns false when a class of that name exists already.
    bool addClass(std::shared_ptr<WindowClass> cls);
    // Returns false when the class is unknown or still has windows.
    bool removeClass(const std::string& name);

    // Returns the live window of a handle, or null for a stale or foreign one.
    // Valid until the next message is sent (see above).
    Window* find(HWND hwnd) const;
    // Whether `w` is a live record of this registry; never reads through `w`.
    bool holds(const Window* w) const { return m_live.count(w) != 0; }
    // Makes a window record with a fresh handle (handles are never reused)
    // and links it into the tree on top of its siblings.
    Window* create(std::shared_ptr<WindowClass> cls, Window* parent);
    // Unlinks and frees the record; the caller has sent the last messages.
    void erase(Window* w);

    // The sibling list a window sits in (its parent's children or the
    // top-level list), bottom first.
    std::vector<Window*>& siblingsOf(const Window* w);
    // Moves w in its sibling list; top-level windows stay in their band
    // (ordinary windows below WS_EX_TOPMOST ones).
    void raise(Window* w);
    void lower(Window* w);
    // Puts w directly below `above` (the SetWindowPos insert-after rule).
    void placeBelow(Window* w, Window* above);
    // Re-sorts a top-level window into the band its WS_EX_TOPMOST flag names.
    void restack(Window* w);

    const std::vector<Window*>& topLevels() const { return m_topLevels; }
    std::size_t size() const { return m_windows.size(); }

    // Screen position of the window's client origin.
    POINT screenOrigin(const Window* w) const;
    // True when the window and all its ancestors have WS_VISIBLE.
    bool reallyVisible(const Window* w) const;
    // The deepest visible window under a screen point, skipping
    // WS_EX_TRANSPARENT ones; disabled children give way to their parent.
    // Returns null when the point is over no window or over a disabled
    // top-level window.
    Window* hitTest(POINT screen) const;
    // The top-level window a window belongs to.
    Window* topLevelOf(Window* w) const;

  private:
    std::unordered_map<std::string, std::shared_ptr<WindowClass>> m_classes;
    std::unordered_map<HWND, std::unique_ptr<Window>> m_windows;
    std::unordered_set<const Window*> m_live;  // the records of m_windows
    std::vector<Window*> m_topLevels;          // bottom first; topmost band last
};

}  // namespace qv::user
