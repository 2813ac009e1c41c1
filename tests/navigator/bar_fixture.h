// SPDX-License-Identifier: MIT
// The test bed of the record bar: a form with a real SQLite data control
// Data1 (optionally behind a recordset that logs and fails calls on request),
// the bar qvRecordBar1 bound to it by name, scripted message boxes, a fixed
// clock, and a log of what the form saw: events (with the bar's mode at that
// moment), status changes and recordset calls.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/data_control.h"
#include "faulty_recordset.h"
#include "host/command_button.h"
#include "host/form.h"
#include "host/label.h"
#include "host/message_box_script.h"
#include "navigator/qvRecordBar.h"
#include "support/temp_folder.h"

namespace qv::navigator::test {

// A database file in a fresh temporary folder, removed with the object.
class TempDatabase {
  public:
    explicit TempDatabase(const std::string& schemaSql);
    const std::filesystem::path& folder() const { return m_folder.path(); }
    // The values of one column of a query, joined with ",".
    std::string column(const std::string& sql) const;

  private:
    qv::test::TempFolder m_folder{"qvnav"};
};

// Three people, in id order: Ada, Bruno, Carla.
inline constexpr const char* kPeople =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', 'Springfield');";

class BarTest : public ::testing::Test {
  protected:
    BarTest();
    ~BarTest() override;

    // Places Data1 and qvRecordBar1 (MSDataControl "Data1") on the form; with
    // `faulty` Data1 hands out the logging, failing recordset.
    void placeControls(bool faulty = false, const std::string& schema = kPeople);

    host::Recordset& recordset();
    FaultyRecordset& faulty() { return m_faultyData->faulty(); }
    // Where the recordset stands: "BOF", "EOF", "BOF+EOF" or the name.
    std::string where();
    // "browse", "pending" or "mixed", read from the buttons' enabled states.
    std::string mode() const;
    // Clicks Buttonbar(index) as the user does.
    void click(std::int16_t index) { bar->clickButton(index); }
    // The boxes shown, as "STYLE TITLE: PROMPT", and beeps as "beep".
    std::vector<std::string> seen() const;

    std::unique_ptr<TempDatabase> db;
    std::shared_ptr<host::Form> form;
    std::shared_ptr<data::DataControl> data;
    std::shared_ptr<FaultyDataControl> m_faultyData;
    std::shared_ptr<qvRecordBar> bar;
    host::ScriptedMessageBoxes boxes;
    std::vector<std::string> log;

  private:
    std::unique_ptr<host::ScopedMessageBoxService> m_service;
};

}  // namespace qv::navigator::test
