// SPDX-License-Identifier: MIT
#include "new_form.h"

#include <fstream>
#include <sstream>

#include "data/bound_controls_text_box.h"
#include "host/control_factory.h"
#include "host/error.h"
#include "host/form.h"
#include "host/form_file.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

class NewFormTest : public RunnerTest {
  protected:
    std::string bytesOf(const std::filesystem::path& file) const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

// A form made for a table browses it: one bound box per column a text box
// can show, in column order, and a bar on the data control.
TEST_F(NewFormTest, MakesABoxPerShowableColumn) {
    column(
        "CREATE TABLE every (i INTEGER, r REAL, t TEXT, b BLOB, n NUMERIC, plain, "
        "\"two words\" TEXT, d DATE);"
        "INSERT INTO every VALUES (1, 2.5, 'x', x'00ff', 3, 'p', 'w', '2026-12-07')");
    const std::string text = newFormText((folder / "people.db").string(), "every");
    auto form = host::loadForm(text, "new.form", host::ControlFactory::current());
    std::vector<std::string> fields;
    for (const auto& control : form->controls()) {
        if (auto box = std::dynamic_pointer_cast<data::DataTextBox>(control)) {
            EXPECT_EQ(box->dataSourceName(), "Data1");
            fields.push_back(box->dataField());
        }
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"i", "r", "t", "n", "plain", "two words", "d"}));
    EXPECT_EQ(form->control("qvRecordBar1")->get("MSDataControl").toString(), "Data1");
    EXPECT_EQ(form->control("Data1")->get("RecordSource").toString(), "every");
    EXPECT_EQ(form->control("qvRecordBar1")->get("SearchField").toString(), "t");
}

// What cannot be browsed is refused with the reason, and the file is left
// byte for byte as it was.
TEST_F(NewFormTest, RefusesWhatItCannotBrowseAndLeavesTheFileAlone) {
    column("CREATE TABLE blobs (b BLOB)");
    std::ofstream(folder / "text.txt") << "not a database at all";
    struct Case {
        const char* file;
        const char* table;
        int error;
    };
    const Case cases[] = {
        {"people.db", "blobs", 5},  // no column a text box can show
        {"people.db", "missing", 3078},
        {"missing.db", "people", 3024},
        {"text.txt", "people", 3049},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + std::string(" ") + c.table);
        const auto file = folder / c.file;
        const std::string before = bytesOf(file);
        try {
            newFormText(file.string(), c.table);
            ADD_FAILURE() << "no error";
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), c.error);
            EXPECT_NE(e.description().find(c.error == 5 ? c.table : ""), std::string::npos);
        }
        EXPECT_EQ(bytesOf(file), before);
        EXPECT_EQ(std::filesystem::exists(file), std::string(c.file) != "missing.db");
    }
}

// --db points a form at another file with the same tables; a file that is
// missing is refused and not created.
TEST_F(NewFormTest, AnotherDatabaseReplacesTheFormsOwn) {
    const auto other = folder / "other.db";
    std::filesystem::copy_file(folder / "people.db", other);
    column("UPDATE people SET name = 'Zed' WHERE id = 2");  // the form's own file
    const auto form = folder / "people.form";
    open();  // writes the form file
    session = std::make_unique<FormSession>(transcript, &harness);
    session->open(form.string(), other.string());
    out.str("");
    session->printRecords();
    EXPECT_NE(out.str().find("name=Ada"), std::string::npos) << out.str();

    session = std::make_unique<FormSession>(transcript, &harness);
    EXPECT_THROW(session->open(form.string(), (folder / "none.db").string()), host::Error);
    EXPECT_FALSE(std::filesystem::exists(folder / "none.db"));
}

}  // namespace
}  // namespace qv::qvform::test
