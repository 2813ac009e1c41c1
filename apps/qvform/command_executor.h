// SPDX-License-Identifier: MIT
// Runs a parsed script against a form session: each command is echoed to the
// transcript and carried out as a person would do it. A modal form opened by
// a command takes the following commands until it closes; the script then
// goes on after the command that opened it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "design_commands.h"
#include "host/object.h"
#include "script.h"

namespace qv::host {
class Form;
}

namespace qv::qvform {

class FormSession;
class RunHarness;
class Transcript;
class TranscriptMessageBoxes;

// Why a run stopped before the end of its script. Like a cancellation it is
// on purpose no std::exception: it must pass through the error handling of
// the controls and the runtime (the record bar's error report, a click, a
// window procedure, which turn any std::exception into a host::Error) while
// a modal form is open.
class RunFailure {
  public:
    explicit RunFailure(std::string reason) : m_reason(std::move(reason)) {}
    const char* what() const noexcept { return m_reason.c_str(); }

  private:
    std::string m_reason;
};

class CommandExecutor {
  public:
    // Every reference must outlive the executor.
    // Planned failures and sync markers come from the session's run harness;
    // without one, fail-next, signal and wait are refused.
    CommandExecutor(FormSession& session, Transcript& transcript, TranscriptMessageBoxes& boxes)
        : m_session(session), m_transcript(transcript), m_boxes(boxes) {}

    // Runs `commands` to their end. Fails with RunFailure naming the line
    // and the reason when a command cannot be carried out.
    void run(const std::vector<ScriptCommand>& commands);

  private:
    // What a control path names: an object, and for a button of a record
    // bar, the bar and the button's index.
    struct Target {
        host::ObjectRef object;
        host::Object* bar = nullptr;
        int index = -1;
    };

    // Runs commands until `form` (when given) is unloaded or the script ends.
    void runCommands(host::Form* modal);
    // The idle hook of the window loops: runs the next command while a modal
    // form waits for input; returns whether it ran one.
    bool onIdle();
    void execute(const ScriptCommand& command);
    void click(const ScriptCommand& command);
    // Clicks an arrow of a data control (DATA.First, .Previous, .Next,
    // .Last); false when the path names none.
    bool clickArrow(const ScriptCommand& command);
    void typeText(const ScriptCommand& command);
    void pressKey(const ScriptCommand& command);
    void setProperty(const ScriptCommand& command);
    void failNext(const ScriptCommand& command);
    void printValue(const ScriptCommand& command);
    // Moves the pointer to a pixel of a control's window: inside it for a
    // point within its size, outside for negative or larger values.
    void movePointer(const ScriptCommand& command);
    void syncWith(const ScriptCommand& command);
    // The session's run harness; refuses the command without one.
    RunHarness& harness() const;

    // The form that takes input now: the innermost open modal form, or the
    // main form.
    host::Form& activeForm() const;
    // Finds the object a control path names on the active form. A path that
    // is only read (`forInput` false) may also name the main form's controls
    // while a modal form is open.
    Target resolve(const std::vector<PathStep>& steps, const std::string& text,
                   bool forInput = true) const;
    // Focuses the control `path` names, for typing and keys.
    void focus(const std::string& path);

    FormSession& m_session;
    Transcript& m_transcript;
    TranscriptMessageBoxes& m_boxes;
    const std::vector<ScriptCommand>* m_commands = nullptr;
    std::size_t m_next = 0;
    std::vector<host::Form*> m_modal;
    DesignCommands m_design;
};

}  // namespace qv::qvform
