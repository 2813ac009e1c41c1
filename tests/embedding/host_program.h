// SPDX-License-Identifier: MIT
// The test bed of a host program: a form built in code on a fresh SQLite file
// of three people, the standard control types registered as a program of its
// own registers them, message boxes answered from a queue, and the mouse and
// keyboard driven through the platform's input calls.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/control.h"
#include "host/form.h"
#include "host/message_box_script.h"
#include "host/message_box_service.h"
#include "platform/win32.h"
#include "support/temp_folder.h"

namespace qv::embedding::test {

class HostProgram : public ::testing::Test {
  public:
    HostProgram();
    ~HostProgram() override;

    // Unloads the form, if loaded, and starts an empty new one.
    void newForm();
    // Places a control of `type` on the form (before or after it is shown).
    std::shared_ptr<host::Control> place(const std::string& type, const std::string& name,
                                         const host::Bounds& bounds);
    template <class T>
    std::shared_ptr<T> place(const std::string& type, const std::string& name,
                             const host::Bounds& bounds) {
        return std::dynamic_pointer_cast<T>(place(type, name, bounds));
    }
    // A Data control on the people table and a record bar bound to it.
    std::shared_ptr<host::Control> placeDataAndBar(const std::string& barName = "qvRecordBar1");
    // Shows the form in run mode (or design mode), as a host does.
    void show(bool userMode = true);
    // Attaches a handler that notes "Name.Event" in `log` and then runs `then`.
    void note(const std::string& control, const std::string& event,
              std::function<void()> then = nullptr);
    // Unloads the form through the runner, as a Close button's handler would.
    void unloadForm();

    // The centre of a window, in screen pixels.
    static POINT middleOf(HWND hwnd);
    // A point of the form's client window that no control covers.
    POINT emptySpot() const;
    static void pressAt(POINT at);
    static void releaseAt(POINT at);
    static void clickAt(POINT at) {
        pressAt(at);
        releaseAt(at);
    }

    qv::test::TempFolder temp{"qv-embedding"};
    std::filesystem::path folder{temp.path()};
    std::shared_ptr<host::Form> form;
    host::ScriptedMessageBoxes boxes;
    std::vector<std::string> log;

  private:
    std::unique_ptr<host::ScopedMessageBoxService> m_service;
};

}  // namespace qv::embedding::test
