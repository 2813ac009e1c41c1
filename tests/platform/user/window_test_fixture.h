// SPDX-License-Identifier: MIT
// Shared set-up for the window layer's tests: a clean thread state on the
// hand-driven clock, a recording window class, a log of what each window
// procedure receives, and a GDI leak check around every test.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "platform/user/clock.h"
#include "platform/user/thread_state.h"
#include "platform/win32.h"
#include "support/gdi_leak_guard.h"

namespace qv::test {

struct LoggedMessage {
    std::string who;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The messages the window procedures of a test received, in order. Windows
// are named when made, so entries read "name:WM_X".
class MessageLog {
  public:
    static MessageLog& current();

    void name(HWND hwnd, std::string name) { m_names[hwnd] = std::move(name); }
    std::string nameOf(HWND hwnd) const;
    void add(const std::string& who, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void clear() { m_entries.clear(); }
    void reset() {
        m_entries.clear();
        m_names.clear();
    }
    const std::vector<LoggedMessage>& entries() const { return m_entries; }
    // "who:WM_NAME" for every entry whose message is in `only` (all if empty).
    std::vector<std::string> lines(std::initializer_list<UINT> only = {}) const;

  private:
    std::vector<LoggedMessage> m_entries;
    std::map<HWND, std::string> m_names;
};

std::string messageName(UINT msg);

// The recording class's procedure: logs, then DefWindowProcA.
LRESULT CALLBACK recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

inline constexpr const char* kRecordingClass = "QvRecordingWindow";

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a window of the recording class and names it in the log.
    HWND make(const char* name, DWORD style, int x, int y, int w, int h, HWND parent = nullptr,
              DWORD exStyle = 0);
    MessageLog& log() { return MessageLog::current(); }
    user::Clock& clock() { return user::Clock::current(); }

  private:
    GdiLeakGuard m_leaks;
};

}  // namespace qv::test
