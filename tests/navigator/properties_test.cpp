// The bar's members as a host reaches them (names, dispatch identifiers,
// by-reference assignment, overflow) and their saving and loading.
#include <gtest/gtest.h>

#include "data/data_control.h"
#include "host/form.h"
#include "host/form_runner.h"
#include "host/label.h"
#include "host/property_bag.h"
#include "navigator/qvRecordBar.h"
#include "search/modal_show.h"

namespace qv::navigator::test {
namespace {

using host::Variant;

class Properties : public ::testing::Test {
  protected:
    ~Properties() override { form->Unload(); }
    std::shared_ptr<qvRecordBar> place(const host::PropertyBag* stored = nullptr,
                                       host::Bounds bounds = {0, 0, 5775, 450}) {
        auto bar = std::make_shared<qvRecordBar>();
        form->add(bar, "qvRecordBar" + std::to_string(++m_count), std::nullopt, bounds, nullptr,
                  stored);
        return bar;
    }
    host::Error errorOf(const std::function<void()>& fn) {
        try {
            fn();
        } catch (const host::Error& e) {
            return e;
        }
        ADD_FAILURE() << "no error";
        return host::Error(0, "", "");
    }

    std::shared_ptr<host::Form> form = std::make_shared<host::Form>("Form1");

  private:
    int m_count = 0;
};

TEST_F(Properties, MembersAnswerByNameAndDispatchIdentifier) {
    auto bar = place();
    bar->let(dispid::SearchField, Variant("city"));
    bar->let("msdatacontrol", Variant("Data1"));
    bar->let(dispid::BorderStyle, Variant(std::int16_t{4}));
    EXPECT_EQ(bar->get("SearchField"), Variant("city"));
    EXPECT_EQ(bar->get(dispid::MSDataControl), Variant("Data1"));
    EXPECT_EQ(bar->get("BorderStyle"), Variant(std::int16_t{4}));
    EXPECT_EQ(bar->get(dispid::StatusVisible), Variant(true));
    std::string about;
    search::ScopedModalLoop loop([&](host::Form& dialog) {
        about = dialog.Name();
        host::FormRunner::Unload(std::static_pointer_cast<host::Form>(dialog.shared_from_this()));
    });
    bar->call(dispid::About);
    EXPECT_EQ(about, "frmAbout");
    const auto& members = qvRecordBar::recordBarMembers();
    EXPECT_EQ(members.find("Enabled")->info.dispId, dispid::Enabled);
    EXPECT_EQ(members.find(dispid::BorderStyle)->info.help,
              "Returns/sets the border style for the control.");
    EXPECT_EQ(qvRecordBar::events()[6].name, std::string("AfterCancel"));
    EXPECT_EQ(qvRecordBar::events()[6].dispId, 7);
}

TEST_F(Properties, DataSourceIsAssignedOnlyByReference) {
    auto bar = place();
    auto data = std::make_shared<data::DataControl>();
    EXPECT_EQ(errorOf([&] { bar->let("DataSource", Variant(data)); }).number(),
              host::errc::WrongArgumentsOrAssignment);
    bar->set(dispid::DataSource, Variant(data));
    EXPECT_EQ(bar->DataSource(), data);
}

TEST_F(Properties, ABorderStyleBeyondSixteenBitsOverflowsBeforeAnythingChanges) {
    auto bar = place();
    const auto marked = bar->changedProperties().size();
    EXPECT_EQ(errorOf([&] { bar->let("BorderStyle", Variant(40000)); }).number(),
              host::errc::Overflow);
    EXPECT_EQ(bar->BorderStyle(), 1);
    EXPECT_EQ(bar->changedProperties().size(), marked);
    bar->let("BorderStyle", Variant(-7));  // kept, draws no border
    EXPECT_EQ(bar->BorderStyle(), -7);
}

TEST_F(Properties, WritesAllSixKeysInOrderAgainstTheirDefaults) {
    auto bar = place();
    host::PropertyBag fresh;
    bar->hostWriteProperties(fresh);
    // Only StatusVisible differs from its (integer) default.
    ASSERT_EQ(fresh.entries().size(), 1u);
    EXPECT_EQ(fresh.entries()[0], (host::PropertyBag::Entry{"StatusVisible", Variant(true)}));

    bar->setEnabledProperty(false);
    bar->setStatusVisible(false);
    bar->setSearchField("city");
    bar->setMSDataControl("Data1");
    bar->setBorderStyle(4);
    host::PropertyBag bag;
    bar->hostWriteProperties(bag);
    const std::vector<host::PropertyBag::Entry> expected = {
        {"Enabled", Variant(false)},
        {"StatusVisible", Variant(false)},
        {"SearchField", Variant("city")},
        {"MSDataControl", Variant("Data1")},
        {"BorderStyle", Variant(std::int16_t{4})},
    };
    EXPECT_EQ(bag.entries(), expected);
}

TEST_F(Properties, AHeldDataControlDoesNotStopTheFormFromSaving) {
    auto bar = place();
    bar->set("DataSource", Variant(std::make_shared<data::DataControl>()));
    host::PropertyBag bag;
    EXPECT_NO_THROW(bar->hostWriteProperties(bag));
    EXPECT_FALSE(bag.contains("DataSource"));
}

TEST_F(Properties, LoadingStoresTheValuesWithoutSideEffects) {
    host::PropertyBag bag;
    bag.store("Enabled", Variant(false));
    bag.store("StatusVisible", Variant(false));
    bag.store("SearchField", Variant("city"));
    bag.store("MSDataControl", Variant("Data1"));
    bag.store("BorderStyle", Variant(std::int16_t{5}));
    auto bar = place(&bag, {0, 0, 6000, 450});
    EXPECT_FALSE(bar->Enabled());
    EXPECT_FALSE(bar->StatusVisible());
    EXPECT_EQ(bar->SearchField(), "city");
    EXPECT_EQ(bar->MSDataControl(), "Data1");
    EXPECT_EQ(bar->BorderStyle(), 5);
    EXPECT_TRUE(bar->DataSource() == nullptr);
    EXPECT_TRUE(bar->changedProperties().empty());
    EXPECT_FALSE(form->changed());
    EXPECT_TRUE(bar->lblStatus().Visible());  // the label keeps its visibility
    EXPECT_EQ(bar->Width(), 6000);

    // Missing keys give the same as a new control; the integer default 1 of
    // StatusVisible reads as True.
    host::PropertyBag empty;
    auto other = place(&empty);
    EXPECT_TRUE(other->Enabled());
    EXPECT_TRUE(other->StatusVisible());
    EXPECT_EQ(other->BorderStyle(), 1);
    EXPECT_EQ(other->SearchField(), "");
}

TEST_F(Properties, EveryWriteMarksItsPropertyChanged) {
    auto bar = place();
    bar->let("Enabled", Variant(true));
    bar->let("StatusVisible", Variant(true));
    bar->let("SearchField", Variant(""));
    bar->set("DataSource", Variant::nothing());
    bar->let("MSDataControl", Variant(""));
    bar->let("BorderStyle", Variant(std::int16_t{1}));
    EXPECT_EQ(bar->changedProperties(),
              (std::vector<std::string>{"Enabled", "StatusVisible", "SearchField", "DataSource",
                                        "MSDataControl", "BorderStyle"}));
}

}  // namespace
}  // namespace qv::navigator::test
