// qvform: runs a script on a form file headless and prints the transcript,
// or, without a script, shows the form in a window for people.
// Exit status: 0 when the script ran to its end, 1 when a command failed,
// 2 for a bad command line, script or form file.
#include <fstream>
#include <iostream>
#include <sstream>

#include "command_executor.h"
#include "fault_plan.h"
#include "form_session.h"
#include "host/app.h"
#include "host/message_box_service.h"
#include "host/message_box_window.h"
#include "new_form.h"
#include "run_options.h"
#include "script.h"
#ifdef QV_HAVE_SDL2
#include "sdl_viewer.h"
#endif
#include "transcript.h"
#include "transcript_message_boxes.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Shows the form in windows until it closes. Exit status 2 when there is no
// display (nothing has been opened then) or the form cannot open.
int showInWindow(const qv::qvform::RunOptions& options) {
    constexpr const char* kHeadless =
        "qvform: to run the form without a display, give it a script: --script SCRIPT\n";
#ifdef QV_HAVE_SDL2
    using namespace qv::qvform;
    std::string reason;
    auto desktop = Desktop::open(reason);
    if (!desktop) {
        std::cerr << "qvform: no display to show the form on (" << reason << ")\n" << kHeadless;
        return 2;
    }
    std::ostringstream unused;
    Transcript transcript(unused);
    qv::host::WindowMessageBoxes boxes;
    qv::host::ScopedMessageBoxService service(boxes);
    FaultPlan plan;
    FormSession session(transcript, plan);
    FormSession::registerControlTypes();
    try {
        session.open(options.formFile, options.database);
    } catch (const qv::host::Error& e) {
        std::cerr << "qvform: " << e.description() << " (error " << e.number() << ")\n";
        return 2;
    }
    return desktop->run(*session.form());
#else
    (void)options;
    std::cerr << "qvform: this build cannot show windows\n" << kHeadless;
    return 2;
#endif
}

// Prints a form for the table --new-form names; exit status 2 when the table
// cannot be read.
int writeNewForm(const qv::qvform::RunOptions& options) {
    qv::qvform::FormSession::registerControlTypes();
    try {
        std::cout << qv::qvform::newFormText(options.newFormDatabase, options.newFormTable);
    } catch (const qv::host::Error& e) {
        std::cerr << "qvform: " << options.newFormDatabase << ": " << e.description() << " (error "
                  << e.number() << ")\n";
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qv::qvform;
    RunOptions options;
    std::vector<ScriptCommand> commands;
    try {
        options = parseRunOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (!options.scriptFile.empty()) commands = parseScript(readFile(options.scriptFile));
    } catch (const std::exception& e) {
        std::cerr << "qvform: " << e.what() << '\n' << usage();
        return 2;
    }

    auto& app = qv::host::app();
    app.setLocale(*qv::host::Locale::find(options.locale));
    if (options.now) app.clock().set(*options.now);
    if (!options.newFormDatabase.empty()) return writeNewForm(options);
    if (options.scriptFile.empty()) return showInWindow(options);

    Transcript transcript(std::cout);
    TranscriptMessageBoxes boxes(transcript);
    qv::host::ScopedMessageBoxService service(boxes);
    FaultPlan plan;
    FormSession session(transcript, plan);
    FormSession::registerControlTypes();
    try {
        session.open(options.formFile, options.database);
    } catch (const qv::host::Error& e) {
        std::cerr << "qvform: " << e.description() << " (error " << e.number() << ")\n";
        return 2;
    }
    try {
        CommandExecutor(session, transcript, boxes, plan).run(commands);
    } catch (const RunFailure& failure) {
        std::cerr << "qvform: " << options.scriptFile << ": " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
