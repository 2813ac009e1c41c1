// SPDX-License-Identifier: MIT
// The small form the runner's tests and the session fuzz target play on: a
// SQLite table of three people (the name required) and a form file over it
// with Data1, the text box txtName and the label lblCity bound to it, and the
// record bar qvRecordBar1. The form names its database "people.db", in the
// form file's folder.
#pragma once

namespace qv::qvform::test {

inline constexpr const char* kPeopleSchema =
    "CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL, city TEXT);"
    "INSERT INTO people VALUES (2, 'Ada', 'Spokane'), (5, 'Bruno', 'Lyon'),"
    " (9, 'Carla', NULL);";

inline constexpr const char* kPeopleForm = R"({
  "version": 1,
  "form": {"name": "frmPeople", "left": 0, "top": 0, "width": 6000, "height": 2400},
  "controls": [
    {"type": "TextBox", "name": "txtName", "left": 120, "top": 120, "width": 3000, "height": 315,
     "properties": {"DataField": "name", "DataSource": "Data1"}},
    {"type": "Label", "name": "lblCity", "left": 120, "top": 600, "width": 3000, "height": 255,
     "properties": {"DataField": "city", "DataSource": "Data1"}},
    {"type": "Data", "name": "Data1", "left": 120, "top": 1000, "width": 4000, "height": 345,
     "properties": {"Caption": "People", "DatabaseName": "people.db", "RecordSource": "people"}},
    {"type": "qvRecordBar", "name": "qvRecordBar1", "left": 120, "top": 1500, "width": 5715,
     "height": 450, "properties": {"MSDataControl": "Data1"}}
  ]
}
)";

}  // namespace qv::qvform::test
