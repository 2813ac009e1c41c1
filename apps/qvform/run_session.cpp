// SPDX-License-Identifier: MIT
#include "run_session.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "command_executor.h"
#include "form_session.h"
#include "host/error.h"
#include "host/message_box_service.h"
#include "host/message_box_window.h"
#include "platform/user/clock.h"
#include "run_options.h"
#include "script.h"
#ifdef QV_HAVE_SDL2
#include "sdl_viewer.h"
#endif
#include "transcript.h"
#include "transcript_message_boxes.h"

namespace qv::qvform {

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Opens the form; when it cannot be, says why on the terminal and returns
// the reason.
std::optional<std::string> openFailure(const std::function<void(FormSession&)>& open,
                                       FormSession& session) {
    try {
        open(session);
        return std::nullopt;
    } catch (const host::Error& e) {
        std::cerr << "qvform: " << e.description() << " (error " << e.number() << ")\n";
        return e.description();
    }
}

bool opened(const std::function<void(FormSession&)>& open, FormSession& session) {
    return !openFailure(open, session);
}

int runScript(const std::function<void(FormSession&)>& open, const std::string& scriptFile,
              std::ostream& out, RunHarness* harness) {
    std::vector<ScriptCommand> commands;
    try {
        commands = parseScript(readFile(scriptFile));
    } catch (const ScriptError& e) {
        // As compilers say it, so that editors can jump to the line.
        std::cerr << scriptFile << ':' << e.line() << ": " << e.reason() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "qvform: " << e.what() << '\n';
        return 2;
    }
    // A script runs on a clock of its own that only its own steps move: what
    // counts as a double click, and so the transcript, is the same on every
    // machine and every run.
    user::Clock::current().setManual(true);
    Transcript transcript(out);
    TranscriptMessageBoxes boxes(transcript);
    host::ScopedMessageBoxService service(boxes);
    FormSession session(transcript, harness);
    if (!opened(open, session)) return 2;
    try {
        CommandExecutor(session, transcript, boxes).run(commands);
    } catch (const RunFailure& failure) {
        std::cerr << "qvform: " << scriptFile << ": " << failure.what() << '\n';
        return 1;
    }
    return 0;
}

// Exit status 2 when there is no display (nothing has been opened then).
int runInWindows(const std::function<void(FormSession&)>& open, RunHarness* harness) {
    constexpr const char* kHeadless =
        "qvform: to run the form without a display, give it a script: --script SCRIPT\n";
#ifdef QV_HAVE_SDL2
    std::string reason;
    auto desktop = Desktop::open(reason);
    if (!desktop) {
        std::cerr << "qvform: no display to show the form on (" << reason << ")\n" << kHeadless;
        return 2;
    }
    std::ostringstream unused;
    Transcript transcript(unused);
    host::WindowMessageBoxes boxes;
    host::ScopedMessageBoxService service(boxes);
    FormSession session(transcript, harness);
    if (auto failure = openFailure(open, session)) {
        // A person who started the program from a menu sees no terminal.
        desktop->tell("The form could not be opened.\n\n" + *failure);
        return 2;
    }
    return desktop->run(*session.form());
#else
    (void)open;
    (void)harness;
    std::cerr << "qvform: this build cannot show windows\n" << kHeadless;
    return 2;
#endif
}

}  // namespace

int runSession(const std::function<void(FormSession&)>& open, const std::string& scriptFile,
               std::ostream& out, RunHarness* harness) {
    FormSession::registerControlTypes();
    return scriptFile.empty() ? runInWindows(open, harness)
                              : runScript(open, scriptFile, out, harness);
}

}  // namespace qv::qvform
