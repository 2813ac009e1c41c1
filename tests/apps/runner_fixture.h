// SPDX-License-Identifier: MIT
// The test bed of the runner: a temporary folder with a SQLite file of three
// people and a form file over it (Data1, a bound text box and label, a record
// bar), opened in a form session whose transcript is kept in a string.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "fault_harness.h"
#include "form_session.h"
#include "host/form.h"
#include "host/message_box_service.h"
#include "support/temp_folder.h"
#include "transcript.h"
#include "transcript_message_boxes.h"

namespace qv::qvform::test {

class RunnerTest : public ::testing::Test {
  protected:
    RunnerTest();
    ~RunnerTest() override;

    // Writes the form file and opens it in `session`.
    void open();
    // Runs `script` on the open form; RunFailure passes out.
    void run(const std::string& script);
    // The values of a one-column query on the file, joined with ",".
    std::string column(const std::string& sql) const;
    template <class T>
    std::shared_ptr<T> control(const std::string& name) const {
        return std::dynamic_pointer_cast<T>(session->form()->find(name));
    }

    qv::test::TempFolder temp{"qvform-test"};
    std::filesystem::path folder{temp.path()};
    std::ostringstream out;
    Transcript transcript{out};
    TranscriptMessageBoxes boxes{transcript};
    FaultHarness harness;
    std::unique_ptr<FormSession> session;

  private:
    std::unique_ptr<host::ScopedMessageBoxService> m_service;
};

}  // namespace qv::qvform::test
