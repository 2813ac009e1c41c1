// SPDX-License-Identifier: MIT
// The bound text box and label as the runner loads them from a form file.
#include <gtest/gtest.h>

#include "data/bound_controls_label.h"
#include "data/bound_controls_text_box.h"
#include "data/data_control.h"
#include "host/control_factory.h"
#include "host/form.h"
#include "host/form_file.h"
#include "runner_fixture.h"

namespace qv::qvform::test {
namespace {

class BoundControlsTest : public RunnerTest {
  protected:
    void SetUp() override {
        open();
        name = control<data::DataTextBox>("txtName");
        city = control<data::DataLabel>("lblCity");
        rs = control<data::DataControl>("Data1")->recordset();
        ASSERT_TRUE(name && city && rs);
    }
    std::shared_ptr<data::DataTextBox> name;
    std::shared_ptr<data::DataLabel> city;
    std::shared_ptr<host::Recordset> rs;
};

TEST_F(BoundControlsTest, FollowTheRecordThroughMovesAddsAndCancels) {
    EXPECT_EQ(name->Text(), "Ada");
    EXPECT_EQ(city->Caption(), "Spokane");
    rs->moveLast();
    EXPECT_EQ(name->Text(), "Carla");
    EXPECT_EQ(city->Caption(), "");  // Null
    rs->addNew();
    EXPECT_EQ(name->Text(), "");
    rs->cancelUpdate();
    EXPECT_EQ(name->Text(), "Carla");
    rs->moveNext();  // EOF: nothing to show
    EXPECT_EQ(name->Text(), "");
    EXPECT_FALSE(name->DataChanged());
    // The late-bound DataSource answers the data control itself.
    EXPECT_EQ(name->get("DataSource").toObject(), session->form()->find("Data1"));
}

TEST_F(BoundControlsTest, SaveWhatWasTypedWhenTheRecordIsSaved) {
    rs->edit();
    name->setText("Adele");
    EXPECT_TRUE(name->DataChanged());
    rs->update();
    EXPECT_EQ(column("SELECT name FROM people ORDER BY id"), "Adele,Bruno,Carla");
    EXPECT_FALSE(name->DataChanged());

    rs->addNew();
    name->setText("Dora");
    rs->update();
    EXPECT_EQ(column("SELECT name || '/' || ifnull(city, '-') FROM people WHERE id > 9"), "Dora/-");
    EXPECT_EQ(name->Text(), "Dora");
}

TEST_F(BoundControlsTest, AChangeMadeWhileBrowsingIsSavedWhenMovingOn) {
    name->setText("Ada B.");
    rs->moveNext();
    EXPECT_EQ(column("SELECT name FROM people WHERE id = 2"), "Ada B.");
    EXPECT_EQ(name->Text(), "Bruno");
}

TEST_F(BoundControlsTest, KeepTheirBindingWhenTheFormIsSavedAndLoadedAgain) {
    const std::string text = host::saveForm(*session->form());
    EXPECT_NE(text.find("\"DataSource\": \"Data1\""), std::string::npos);
    EXPECT_NE(text.find("\"DataField\": \"city\""), std::string::npos);
    auto again = host::loadForm(text, "again.form", host::ControlFactory::current());
    auto label = std::dynamic_pointer_cast<data::DataLabel>(again->find("lblCity"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->dataSource(), "Data1");
    EXPECT_EQ(label->dataField(), "city");
    EXPECT_EQ(host::saveForm(*again), text);
    again->Unload();
}

}  // namespace
}  // namespace qv::qvform::test
