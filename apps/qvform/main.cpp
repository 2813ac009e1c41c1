// qvform: runs a script on a form file headless and prints the transcript,
// or, without a script, shows the form in a window for people.
// Exit status: 0 when the script ran to its end, 1 when a command failed,
// 2 for a bad command line, script or form file.
#include <fstream>
#include <iostream>
#include <sstream>

#include "command_executor.h"
#include "component_commands.h"
#include "fault_plan.h"
#include "form_session.h"
#include "host/app.h"
#include "host/message_box_service.h"
#include "host/message_box_window.h"
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

// Shows the form in a window until it closes.
int showInWindow(const qv::qvform::RunOptions& options) {
#ifdef QV_HAVE_SDL2
    using namespace qv::qvform;
    std::ostringstream unused;
    Transcript transcript(unused);
    qv::host::WindowMessageBoxes boxes;
    qv::host::ScopedMessageBoxService service(boxes);
    FaultPlan plan;
    FormSession session(transcript, plan);
    FormSession::registerControlTypes();
    try {
        session.open(options.formFile);
    } catch (const qv::host::Error& e) {
        std::cerr << "qvform: " << e.description() << " (error " << e.number() << ")\n";
        return 2;
    }
    return runInWindow(*session.form());
#else
    (void)options;
    std::cerr << "qvform: this build cannot show windows; give a --script\n";
    return 2;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qv::qvform;
    RunOptions options;
    std::vector<ScriptCommand> commands;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (auto status = runComponentCommand(args, std::cout, std::cerr)) return *status;
    try {
        options = parseRunOptions(args);
        if (!options.scriptFile.empty()) commands = parseScript(readFile(options.scriptFile));
    } catch (const std::exception& e) {
        std::cerr << "qvform: " << e.what() << '\n' << usage();
        return 2;
    }

    auto& app = qv::host::app();
    app.setLocale(*qv::host::Locale::find(options.locale));
    if (options.now) app.clock().set(*options.now);
    if (options.scriptFile.empty()) return showInWindow(options);

    Transcript transcript(std::cout);
    TranscriptMessageBoxes boxes(transcript);
    qv::host::ScopedMessageBoxService service(boxes);
    FaultPlan plan;
    FormSession session(transcript, plan);
    FormSession::registerControlTypes();
    try {
        session.open(options.formFile, options.design);
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
