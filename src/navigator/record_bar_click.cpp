// SPDX-License-Identifier: MIT
// qvRecordBar's button actions: ButtonBar_Click resolves the data control and
// runs the clicked button's action as a list of steps under the error report.
//
// Each action is written as the flat list of its steps in written order. A
// test records its result in the click's state and the steps it guards look
// at that result. A test starts out "passed", so that a failed test that the
// user ignores goes on with the first step it guards. The step runner holds
// the one policy for failures: the error report's Retry runs the failed step
// again, Ignore goes on with the next step, Abort ends the action. A click
// in which a failure was ignored or aborted ends with showEditMode, so that
// the bar never shows a mode the recordset is not in.
#include <stdexcept>

#include "host/command_button.h"
#include "host/controls_collection.h"
#include "host/form.h"
#include "host/label.h"
#include "host/message_box.h"
#include "host/message_box_service.h"
#include "host/modal_show.h"
#include "host/step_runner.h"
#include "navigator/data_control_discovery.h"
#include "navigator/error_report.h"
#include "navigator/qvRecordBar.h"
#include "search/frmDBSearch.h"
#include "search/search_handover.h"

namespace qv::navigator {

using host::Variant;

namespace {

// A message box of the bar's own that could not be shown. It is not a failure
// of the action, so the error report must not catch it: the step runner
// passes any exception other than host::Error on to the caller.
class MessageBoxFault : public std::runtime_error {
  public:
    explicit MessageBoxFault(const host::Error& e) : std::runtime_error(e.what()), error(e) {}
    host::Error error;
};

// BOF and EOF read as Booleans, a Null reading failing both tests.
bool isTrue(const Variant& v) {
    return !v.isNull() && v.toBoolean();
}
bool isFalse(const Variant& v) {
    return !v.isNull() && !v.toBoolean();
}

}  // namespace

// The results of the tests of one click.
struct qvRecordBar::ClickState {
    bool offEnd = false;     // BOF (or EOF) was True: the move is not tried
    bool pastEnd = true;     // after the move BOF (or EOF) became True
    bool noRecord = false;   // EOF was True: no record to delete or edit
    bool confirmed = false;  // the delete confirmation was answered OK
    bool afterDeleteBof = false;
};

int qvRecordBar::ask(const std::string& prompt, std::int32_t style, const std::string& title) {
    try {
        return host::MsgBox(prompt, style, title);
    } catch (const host::Error& e) {
        throw MessageBoxFault(e);
    }
}

host::ObjectRef qvRecordBar::recordset() const {
    // A handler that unloads the form mid-click leaves the bar without its
    // source: the click's later steps fail instead of reaching through it.
    if (!m_dataSource) host::raise(host::errc::ObjectVariableNotSet, displayName(*this));
    Variant rs = m_dataSource->get("Recordset");
    if (rs.isNothing()) host::raise(host::errc::ObjectVariableNotSet, displayName(*this));
    return rs.toObject();
}

void qvRecordBar::writeStatus(const std::string& text) {
    if (!m_statusVisible) return;
    host::Label& label = lblStatus();
    bool changed = label.Caption() != text;
    label.setCaption(text);
    if (changed && m_statusListener) m_statusListener(text);
}

bool qvRecordBar::drives(const host::DataControl& data) const {
    if (m_dataSource) {
        const auto* held = dynamic_cast<const host::DataControl*>(m_dataSource.get());
        return held && &held->underlying() == &data.underlying();
    }
    return !m_msDataControl.empty() && host::sameName(m_msDataControl, data.Name());
}

void qvRecordBar::ButtonBar_Click(std::int16_t Index) {
    // The form's handlers may drop the bar while the click runs.
    auto self = shared_from_this();
    // Only an Error leaves a click: a box of the bar's own that could not be
    // shown passes out as its Error, any other fault as an internal error.
    try {
        runClick(Index);
    } catch (const MessageBoxFault& fault) {
        throw fault.error;
    } catch (const host::Error&) {
        throw;
    } catch (const std::exception& e) {
        throw host::errorFrom(e, "qvRecordBar");
    }
}

void qvRecordBar::runClick(std::int16_t Index) {
    // The name lookup: a failing lookup counts as no control found. The
    // form hands over what was found (a stand-in, in a test run).
    if (!m_dataSource && !m_msDataControl.empty()) {
        try {
            m_dataSource = FindDataControl(*ParentControls(), m_msDataControl);
        } catch (const host::Error&) {
            m_dataSource = nullptr;
        }
        if (auto form = Parent()) m_dataSource = form->handOver(m_dataSource);
    }
    if (!m_dataSource) {
        host::Beep();
        ask("Data control has not been connected", 64, "Error");
        return;
    }

    // Set when a failure of this click was passed over (Ignore) or ended it
    // (Abort, or a report that could not be shown): the action did not run
    // as written, so the bar takes its look from the recordset afterwards.
    bool unfinished = false;
    ClickState state;
    host::StepRunner steps =
        host::StepRunner::withHandler([&unfinished](const host::StepFailure& failure) {
            const bool before = unfinished;
            unfinished = true;
            host::Recovery answer = showErrorReport(failure.error);
            if (answer == host::Recovery::Retry) unfinished = before;
            return answer;
        });
    steps.step("clear status", [this] { writeStatus(""); });
    switch (Index) {
        case FirstRecord:
        case PreviousRecord:
        case NextRecord:
        case LastRecord:
            moveSteps(steps, state, Index);
            break;
        case FindRecord:
            findSteps(steps);
            break;
        case AddRecord:
            addSteps(steps);
            break;
        case DeleteRecord:
            deleteSteps(steps, state);
            break;
        case EditRecord:
            editSteps(steps, state);
            break;
        case SaveChanges:
            saveSteps(steps);
            break;
        case CancelChanges:
            cancelSteps(steps);
            break;
        default:
            break;
    }

    // The hand-over holds the recordset only while the dialog is open, also
    // when the Find action failed or was aborted before its last step.
    struct ReleaseRecordset {
        bool find;
        ~ReleaseRecordset() {
            if (find) search::SearchRecordset = nullptr;
        }
    } release{Index == FindRecord};
    try {
        steps.run();
    } catch (...) {
        if (unfinished) showEditMode();
        throw;
    }
    if (unfinished) showEditMode();
}

void qvRecordBar::moveSteps(host::StepRunner& steps, ClickState& s, std::int16_t index) {
    const bool backward = index == FirstRecord || index == PreviousRecord;
    const char* end = backward ? "BOF" : "EOF";
    const std::string endText = backward ? "First Record" : "Last Record";
    const char* toEnd = backward ? "MoveFirst" : "MoveLast";

    steps.step(end, [this, &s, end] { s.offEnd = !isFalse(recordset()->get(end)); });
    if (index == FirstRecord || index == LastRecord) {
        steps
            .step(toEnd,
                  [this, &s, toEnd] {
                      if (!s.offEnd) recordset()->call(toEnd);
                  })
            .step("status", [this, &s, endText] {
                if (!s.offEnd) writeStatus(endText);
            });
    } else {
        const char* step = backward ? "MovePrevious" : "MoveNext";
        steps
            .step(step,
                  [this, &s, step] {
                      if (!s.offEnd) recordset()->call(step);
                  })
            .step(end,
                  [this, &s, end] {
                      if (!s.offEnd) s.pastEnd = isTrue(recordset()->get(end));
                  })
            .step("beep",
                  [&s] {
                      if (!s.offEnd && s.pastEnd) host::Beep();
                  })
            .step("status",
                  [this, &s, endText] {
                      if (!s.offEnd && s.pastEnd) writeStatus(endText);
                  })
            .step(toEnd, [this, &s, toEnd] {
                if (!s.offEnd && s.pastEnd) recordset()->call(toEnd);
            });
    }
    // Already at the end: no move is tried.
    steps
        .step("beep",
              [&s] {
                  if (s.offEnd) host::Beep();
              })
        .step("status", [this, &s, endText] {
            if (s.offEnd) writeStatus(endText);
        });
}

void qvRecordBar::findSteps(host::StepRunner& steps) {
    steps.step("SearchFieldName", [this] { search::SearchFieldName = m_searchField; })
        .step("Recordset", [this] { search::SearchRecordset = recordset(); })
        .step("Show", [] { host::showModal(search::frmDBSearch::instance()); })
        .step("release", [] { search::SearchRecordset = nullptr; });
}

void qvRecordBar::switchSteps(host::StepRunner& steps, bool browse, const bool* skip) {
    for (std::int16_t i = 0; i < ButtonCount; ++i) {
        const bool enabled = enabledIn(i, browse);
        steps.step("Buttonbar.Enabled", [this, i, enabled, skip] {
            if (!skip || !*skip) Buttonbar(i).setEnabled(enabled);
        });
    }
}

void qvRecordBar::addSteps(host::StepRunner& steps) {
    steps.step("BeforeAdd", [this] { RaiseEvent("BeforeAdd"); }).step("status", [this] {
        writeStatus("New Record");
    });
    switchSteps(steps, false);
    steps.step("AddNew", [this] { recordset()->call("AddNew"); }).step("AfterAdd", [this] {
        RaiseEvent("AfterAdd");
    });
}

void qvRecordBar::deleteSteps(host::StepRunner& steps, ClickState& s) {
    steps.step("EOF", [this, &s] { s.noRecord = !isFalse(recordset()->get("EOF")); })
        .step("confirm",
              [&s] {
                  if (s.noRecord) return;
                  s.confirmed = ask("Are you sure you want to delete this record?", 1, "USER") ==
                                host::msgbox::OK;
              })
        .step("Delete",
              [this, &s] {
                  if (!s.noRecord && s.confirmed) recordset()->call("Delete");
              })
        .step("BOF",
              [this, &s] {
                  if (!s.noRecord && s.confirmed)
                      s.afterDeleteBof = !isFalse(recordset()->get("BOF"));
              })
        .step("MoveFirst",
              [this, &s] {
                  if (!s.noRecord && s.confirmed && !s.afterDeleteBof)
                      recordset()->call("MoveFirst");
              })
        .step("beep",
              [&s] {
                  if (s.noRecord) host::Beep();
              })
        .step("refuse", [&s] {
            if (s.noRecord) ask("No record to delete", 0, "DATA ERROR");
        });
}

void qvRecordBar::editSteps(host::StepRunner& steps, ClickState& s) {
    steps.step("EOF", [this, &s] { s.noRecord = !isFalse(recordset()->get("EOF")); })
        .step("BeforeEdit",
              [this, &s] {
                  if (!s.noRecord) RaiseEvent("BeforeEdit");
              })
        .step("status", [this, &s] {
            if (!s.noRecord) writeStatus("Edit Record");
        });
    switchSteps(steps, false, &s.noRecord);
    steps
        .step("Edit",
              [this, &s] {
                  if (!s.noRecord) recordset()->call("Edit");
              })
        .step("AfterEdit",
              [this, &s] {
                  if (!s.noRecord) RaiseEvent("AfterEdit");
              })
        .step("beep",
              [&s] {
                  if (s.noRecord) host::Beep();
              })
        .step("refuse", [&s] {
            if (s.noRecord) ask("No record to edit", 0, "DATA ERROR");
        });
}

void qvRecordBar::saveSteps(host::StepRunner& steps) {
    steps.step("BeforeUpdate", [this] { RaiseEvent("BeforeUpdate"); }).step("Update", [this] {
        recordset()->call("Update");
    });
    switchSteps(steps, true);
    steps.step("AfterUpdate", [this] { RaiseEvent("AfterUpdate"); });
}

void qvRecordBar::cancelSteps(host::StepRunner& steps) {
    steps.step("CancelUpdate", [this] { recordset()->call("CancelUpdate"); });
    switchSteps(steps, true);
    steps.step("AfterCancel", [this] { RaiseEvent("AfterCancel"); });
}

}  // namespace qv::navigator
