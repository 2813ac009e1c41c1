// SPDX-License-Identifier: MIT
// The design-mode commands' refusals, and a page taking input until it is
// replaced.
#include <gtest/gtest.h>

#include "data/data_control.h"
#include "design_commands.h"
#include "host/form.h"
#include "host/label.h"
#include "navigator/qvRecordBar.h"
#include "platform/user/thread_state.h"

namespace qv::qvform::test {
namespace {

TEST(DesignCommands, OpensOnlyThePageAControlNamesAndAppliesOnlyChanges) {
    user::resetThreadState();
    auto form = std::make_shared<host::Form>("Form1");
    form->setUserMode(false);
    form->add(std::make_shared<data::DataControl>(), "Data1", std::nullopt, {});
    form->add(std::make_shared<host::Label>(), "Label1", std::nullopt, {});
    auto bar = std::make_shared<navigator::qvRecordBar>();
    form->add(bar, "qvRecordBar1", std::nullopt, {});
    {
        DesignCommands design;
        const struct {
            const char* control;
            const char* page;
            const char* says;
        } refused[] = {
            {"Label9", "ppData", "no control Label9 on Form1"},
            {"Label1", "ppData", "Label1 has no property page ppData"},
            {"qvRecordBar1", "frmAbout", "qvRecordBar1 has no property page frmAbout"},
        };
        for (const auto& r : refused) {
            try {
                design.openPage(*form, r.control, r.page);
                ADD_FAILURE() << r.control;
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(std::string(e.what()), r.says);
            }
        }
        EXPECT_EQ(design.pageForm(), nullptr);
        EXPECT_THROW(design.apply(), std::runtime_error);  // nothing open

        bar->setMSDataControl("Data9");
        design.openPage(*form, "qvRecordBar1", "PPDATA");
        ASSERT_NE(design.pageForm(), nullptr);
        EXPECT_EQ(design.pageForm()->Name(), "ppData");
        EXPECT_THROW(design.apply(), std::runtime_error);  // nothing changed yet
        design.pageForm()->find("cboDataControls", std::nullopt)->let("ListIndex", 0);
        design.apply();
        EXPECT_EQ(bar->MSDataControl(), "Data1");
        design.openPage(*form, "qvRecordBar1", "ppData");  // a second page replaces the first
    }
    form->Unload();
    user::resetThreadState();
}

}  // namespace
}  // namespace qv::qvform::test
