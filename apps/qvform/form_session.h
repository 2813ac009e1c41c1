// SPDX-License-Identifier: MIT
// The form a script runs on: loaded from its file with every control type the
// runner knows, shown in run mode, its data controls opened, and wired to the
// transcript (the record bars' events and status line) and, in a test run,
// to the run harness (the bars reach their data controls through its
// stand-ins).
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "run_harness.h"
#include "transcript.h"

namespace qv::host {
class Control;
class DataControl;
class Form;
}  // namespace qv::host

namespace qv::data {
class DataControlView;
}

namespace qv::qvform {

class FormSession {
  public:
    // `transcript` and `harness` (none outside test runs) must outlive the
    // session.
    explicit FormSession(Transcript& transcript, RunHarness* harness = nullptr);
    // Unloads the form and closes its windows.
    ~FormSession();
    FormSession(const FormSession&) = delete;
    FormSession& operator=(const FormSession&) = delete;

    // Registers the standard controls, the bound text box and label, the
    // Data control, the record bar and the picture button with this thread's
    // control factory.
    static void registerControlTypes();

    // Loads the form file at `path` (relative database names start from its
    // folder), shows it, gives its data controls their windows and opens
    // them. A non-empty `database` (relative to the working folder) replaces
    // the DatabaseName of every data control; with `connect`, every data
    // control opens on that database server instead of its file. Fails with
    // the Error of the file or of a data control that cannot open.
    void open(const std::string& path, const std::string& database = {},
              const std::string& connect = {});
    // As open(), for a form already loaded or built in code; relative
    // database names start from `folder`. With a harness, the form hands its
    // data controls found by name over as the harness's stand-ins.
    void show(std::shared_ptr<host::Form> form, const std::filesystem::path& folder,
              const std::string& database = {}, const std::string& connect = {});
    // Loads the forms opened after this as a designer does: their controls
    // see Ambient.UserMode False.
    void setDesignMode(bool design) noexcept { m_design = design; }
    // The file the form was loaded from (empty for a form built in code).
    const std::string& path() const noexcept { return m_path; }

    const std::shared_ptr<host::Form>& form() const noexcept { return m_form; }

    // The run harness, or nullptr.
    RunHarness* harness() const noexcept { return m_harness; }

    // The harness's stand-in of `dataControl`, or `dataControl` itself when
    // there is no harness.
    std::shared_ptr<host::DataControl> standInFor(
        const std::shared_ptr<host::DataControl>& dataControl);

    // The window of `dataControl` (its arrows and caption), or nullptr.
    data::DataControlView* viewOf(const host::DataControl& dataControl) const;

    // Writes a record line for every data control of the form, in order.
    void printRecords();

  private:
    void watchBars();
    // Picture buttons' MouseMove and Click and data controls' Error go to
    // the transcript as events.
    void watchButtons();
    // Writes the control's `names` events to the transcript as they are raised.
    void transcribe(host::Control& control, const std::vector<std::string>& names);

    Transcript& m_transcript;
    RunHarness* m_harness;
    std::shared_ptr<host::Form> m_form;
    std::string m_path;
    bool m_design = false;
    // The windows of the data controls, which the form runner does not make.
    std::vector<std::unique_ptr<data::DataControlView>> m_dataViews;
};

}  // namespace qv::qvform
