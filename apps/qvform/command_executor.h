// Runs a parsed script against a form session: each command is echoed to the
// transcript and carried out as a person would do it. A modal form opened by
// a command takes the following commands until it closes; the script then
// goes on after the command that opened it.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "design_commands.h"
#include "host/object.h"
#include "script.h"

namespace qv::host {
class Form;
}

namespace qv::qvform {

class FaultPlan;
class FormSession;
class Transcript;
class TranscriptMessageBoxes;

// Why a run stopped before the end of its script. It is not a host::Error on
// purpose: it must pass through the error handling of the controls (the
// record bar's error report) while a modal form is open.
class RunFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class CommandExecutor {
  public:
    // Every reference must outlive the executor.
    CommandExecutor(FormSession& session, Transcript& transcript, TranscriptMessageBoxes& boxes,
                    FaultPlan& plan)
        : m_session(session), m_transcript(transcript), m_boxes(boxes), m_plan(plan) {}

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
    void typeText(const ScriptCommand& command);
    void pressKey(const ScriptCommand& command);
    void setProperty(const ScriptCommand& command);
    void failNext(const ScriptCommand& command);

    // The form that takes input now: the innermost open modal form, or the
    // main form.
    host::Form& activeForm() const;
    Target resolve(const std::vector<PathStep>& steps, const std::string& text) const;
    // Focuses the control `path` names, for typing and keys.
    void focus(const std::string& path);

    FormSession& m_session;
    Transcript& m_transcript;
    TranscriptMessageBoxes& m_boxes;
    FaultPlan& m_plan;
    const std::vector<ScriptCommand>* m_commands = nullptr;
    std::size_t m_next = 0;
    std::vector<host::Form*> m_modal;
    DesignCommands m_design;
};

}  // namespace qv::qvform
