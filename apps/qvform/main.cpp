// SPDX-License-Identifier: MIT
// qvform: runs a script on a form file headless and prints the transcript,
// or, without a script, shows the form in a window for people.
// Exit status: 0 when the script ran to its end, 1 when a command failed,
// 2 for a bad command line, script, form file or component library.
#include <iostream>

#include "component_commands.h"
#include "fault_harness.h"
#include "form_session.h"
#include "host/app.h"
#include "host/error.h"
#include "host/locale.h"
#include "new_form.h"
#include "public_classes.h"
#include "run_options.h"
#include "run_session.h"

namespace {

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
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (auto status = runComponentCommand(args, std::cout, std::cerr)) return *status;
    try {
        options = parseRunOptions(args);
    } catch (const std::exception& e) {
        std::cerr << "qvform: " << e.what() << '\n' << usage();
        return 2;
    }
    if (options.help || options.version) {
        std::cout << (options.help ? usage() : versionLine());
        return 0;
    }

    try {
        const std::string library =
            options.library.empty() ? defaultLibraryPath() : options.library;
        setPublicClasses(std::make_unique<PublicClasses>(library));
    } catch (const std::runtime_error& e) {
        std::cerr << "qvform: " << e.what() << '\n';
        return 2;
    }
    auto& app = qv::host::app();
    app.setLocale(chosenLocale(options, std::cerr));
    if (options.now) app.clock().set(*options.now);
    if (!options.newFormDatabase.empty()) return writeNewForm(options);
    FaultHarness harness(options.syncFolder);
    return runSession(
        [&](FormSession& session) {
            session.setDesignMode(options.design);
            session.open(options.formFile, options.database, options.connect);
        },
        options.scriptFile, std::cout, &harness);
}
