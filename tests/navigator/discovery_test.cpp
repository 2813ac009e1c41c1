// SPDX-License-Identifier: MIT
// Listing, naming and finding the data controls of a form, with control
// arrays, lists that already hold names, and controls of other kinds.
#include <gtest/gtest.h>

#include "data/data_control.h"
#include "host/command_button.h"
#include "host/controls_collection.h"
#include "host/form.h"
#include "host/label.h"
#include "host/member_registry.h"
#include "navigator/data_control_discovery.h"
#include "navigator/qvRecordBar.h"

namespace qv::navigator::test {
namespace {

// A list with AddItem that keeps what it was given.
class ListStub : public host::Object {
  public:
    static const host::MemberRegistry& listMembers() {
        static const host::MemberRegistry registry = [] {
            host::MemberRegistry r("ListStub");
            host::MemberTable<ListStub>(r).method("AddItem",
                                                  [](ListStub& l, std::span<host::Variant> args) {
                                                      if (!args.empty())
                                                          l.items.push_back(args[0].toString());
                                                  });
            return r;
        }();
        return registry;
    }
    const host::MemberRegistry& members() const override { return listMembers(); }
    std::vector<std::string> items;
};

class Discovery : public ::testing::Test {
  protected:
    // Text1, Data1, Command1, Data2(0), Data2(3), datenä, then the bar.
    Discovery() {
        form->add(std::make_shared<host::Label>(), "Text1", std::nullopt, {});
        form->add(data1, "Data1", std::nullopt, {});
        form->add(std::make_shared<host::CommandButton>(), "Command1", std::nullopt, {});
        form->add(data2a, "Data2", 0, {});
        form->add(data2b, "Data2", 3, {});
        form->add(daten, "daten\xc3\xa4", std::nullopt, {});
        form->add(bar, "qvRecordBar1", std::nullopt, {});
    }
    ~Discovery() override { form->Unload(); }

    host::ObjectRef find(std::string_view name) { return FindDataControl(*form->Controls(), name); }

    std::shared_ptr<host::Form> form = std::make_shared<host::Form>("Form1");
    std::shared_ptr<data::DataControl> data1 = std::make_shared<data::DataControl>();
    std::shared_ptr<data::DataControl> data2a = std::make_shared<data::DataControl>();
    std::shared_ptr<data::DataControl> data2b = std::make_shared<data::DataControl>();
    std::shared_ptr<data::DataControl> daten = std::make_shared<data::DataControl>();
    std::shared_ptr<qvRecordBar> bar = std::make_shared<qvRecordBar>();
};

TEST_F(Discovery, ListsOnlyDataControlsAfterWhatTheListHolds) {
    auto list = std::make_shared<ListStub>();
    list->items = {"(none)"};
    host::Variant ctl(list);
    bar->call("GetDataControls", {ctl});
    EXPECT_EQ(list->items,
              (std::vector<std::string>{"(none)", "Data1", "Data2", "Data2(3)", "daten\xc3\xa4"}));
    bar->call(dispid::GetDataControls, std::span<host::Variant>(&ctl, 1));
    EXPECT_EQ(list->items,
              (std::vector<std::string>{"(none)", "Data1", "Data2", "Data2(3)", "daten\xc3\xa4",
                                        "Data1", "Data2", "Data2(3)", "daten\xc3\xa4"}));
}

TEST_F(Discovery, AFormWithoutDataControlsLeavesTheListAlone) {
    auto other = std::make_shared<host::Form>("Form2");
    other->add(std::make_shared<host::Label>(), "Text1", std::nullopt, {});
    auto lonely = std::make_shared<qvRecordBar>();
    other->add(lonely, "qvRecordBar1", std::nullopt, {});
    auto list = std::make_shared<ListStub>();
    lonely->GetDataControls(*list);
    EXPECT_TRUE(list->items.empty());
    other->Unload();
}

TEST_F(Discovery, FindsByDisplayNameWithoutRegardToCaseOrKind) {
    struct Case {
        const char* name;
        host::ObjectRef expected;
    };
    const Case cases[] = {
        {"data2(3)", data2b},
        {"DATA1", data1},
        {"Data2", data2a},
        {"Data2(0)", nullptr},
        {"Text1", form->find("Text1")},
        {"Data9", nullptr},
        {"", nullptr},
        // Every letter is upper-cased, not only ASCII ones.
        {"DATEN\xc3\x84", daten},
        {"DATEN\xc3\xa4", daten},
        {"DATENA", nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(find(c.name), c.expected) << c.name;
}

TEST_F(Discovery, NamesSkipWhatCannotBeRead) {
    EXPECT_EQ(GetControlName(*data2b), "Data2(3)");
    EXPECT_EQ(GetControlName(*data2a), "Data2");
    EXPECT_EQ(GetControlName(*data1), "Data1");
    // An object with neither Name nor Index gives an empty name.
    ListStub nameless;
    EXPECT_EQ(GetControlName(nameless), "");
}

TEST_F(Discovery, FormObjectIsTheFirstControlOrNothing) {
    EXPECT_EQ(bar->get(dispid::FormObject).toObject(), form->find("Text1"));
    auto loose = std::make_shared<qvRecordBar>();
    EXPECT_TRUE(loose->get("FormObject").isNothing());
}

}  // namespace
}  // namespace qv::navigator::test
