// SPDX-License-Identifier: MIT
// The bar's members as a host reaches them (names, dispatch identifiers,
// by-reference assignment, overflow) and their saving and loading.
#include <gtest/gtest.h>

#include "data/data_control.h"
#include "host/control_factory.h"
#include "host/form.h"
#include "host/form_file.h"
#include "host/form_runner.h"
#include "host/label.h"
#include "host/modal_show.h"
#include "host/property_bag.h"
#include "navigator/qvRecordBar.h"
#include "platform/win32.h"

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
    host::ScopedModalLoop loop([&](host::Form& dialog) {
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
    bag.store("StatusVisible", Variant(true));
    bag.store("SearchField", Variant("city"));
    bag.store("MSDataControl", Variant("Data1"));
    bag.store("BorderStyle", Variant(std::int16_t{5}));
    auto bar = place(&bag, {0, 0, 3000, 450});
    EXPECT_FALSE(bar->Enabled());
    EXPECT_TRUE(bar->StatusVisible());
    EXPECT_EQ(bar->SearchField(), "city");
    EXPECT_EQ(bar->MSDataControl(), "Data1");
    EXPECT_EQ(bar->BorderStyle(), 5);
    EXPECT_TRUE(bar->DataSource() == nullptr);
    EXPECT_TRUE(bar->changedProperties().empty());
    EXPECT_FALSE(form->changed());
    EXPECT_TRUE(bar->lblStatus().Visible());

    // Missing keys give the same as a new control; the integer default 1 of
    // StatusVisible reads as True.
    host::PropertyBag empty;
    auto other = place(&empty);
    EXPECT_TRUE(other->Enabled());
    EXPECT_TRUE(other->StatusVisible());
    EXPECT_EQ(other->BorderStyle(), 1);
    EXPECT_EQ(other->SearchField(), "");
}

TEST_F(Properties, AStatusLineSavedHiddenLoadsLikeOneSetHidden) {
    host::PropertyBag bag;
    bag.store("StatusVisible", Variant(false));
    auto loaded = place(&bag, {0, 0, 6000, 450});
    auto set = place();
    set->move({0, 0, 6000, 450});
    set->setStatusVisible(false);
    EXPECT_FALSE(loaded->StatusVisible());
    EXPECT_FALSE(loaded->lblStatus().Visible());
    EXPECT_EQ(loaded->Width(), set->Width());
    EXPECT_TRUE(loaded->changedProperties().empty());
    // No text and no box: the same pixels as the bar whose property was set.
    const int w = loaded->surface().width(), h = loaded->surface().height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(GetPixel(loaded->hDC(), x, y), GetPixel(set->hDC(), x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(loaded->statusText(), "");
}

TEST_F(Properties, EveryWriteStoresRepaintsAsItMustAndMarksItsName) {
    struct Case {
        const char* member;
        Variant value;
        bool repaints;
        std::int32_t startWidth;
        std::int32_t endWidth;
    };
    const Case cases[] = {
        {"Enabled", Variant(false), false, 6000, 6000},
        {"StatusVisible", Variant(true), true, 6000, 6000},
        {"StatusVisible", Variant(false), true, 6000, 6000},
        {"StatusVisible", Variant(false), true, 5775, 5775},
        {"SearchField", Variant("city"), false, 6000, 6000},
        {"DataSource", Variant::nothing(), false, 6000, 6000},
        {"MSDataControl", Variant("Data1"), false, 6000, 6000},
        {"BorderStyle", Variant(std::int16_t{1}), false, 6000, 6000},  // unchanged
        {"BorderStyle", Variant(std::int16_t{4}), true, 6000, 6000},
        {"BorderStyle", Variant(std::int16_t{99}), true, 6000, 6000},  // kept, no border
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.member) + " from width " + std::to_string(c.startWidth));
        auto bar = place();
        bar->move({0, 0, c.startWidth, 450});
        bar->PSet(150, 150, 0x0000FF);  // a mark that only a clear removes
        const auto marks = bar->changedProperties().size();
        if (std::string(c.member) == "DataSource") {
            bar->set(c.member, c.value);
        } else {
            bar->let(c.member, c.value);
        }
        EXPECT_EQ(bar->get(c.member), c.value);
        EXPECT_EQ(GetPixel(bar->hDC(), 10, 10) != RGB(255, 0, 0), c.repaints);
        ASSERT_EQ(bar->changedProperties().size(), marks + 1);
        EXPECT_EQ(bar->changedProperties().back(), c.member);
        EXPECT_EQ(bar->Width(), c.endWidth);
    }
}

// A bar saved in a form file and loaded back, or refused with the file, the
// place and the key when a value cannot be used.
TEST(PropertiesFile, RoundTripsAndRefusesAValueOfTheWrongType) {
    host::ControlFactory factory;
    qvRecordBar::registerType(factory);
    auto saved = std::make_shared<host::Form>("Form1");
    auto bar = std::make_shared<qvRecordBar>();
    saved->add(bar, "qvRecordBar1", std::nullopt, {0, 0, 6000, 450});
    bar->setStatusVisible(false);
    bar->setSearchField("City");
    bar->setMSDataControl("Data1");
    bar->setBorderStyle(border_style::Etched);
    const std::string text = host::saveForm(*saved);
    saved->Unload();

    auto loaded = host::loadForm(text, "bar.form", factory);
    auto& again = static_cast<qvRecordBar&>(*loaded->controls().front());
    EXPECT_FALSE(again.StatusVisible());
    EXPECT_FALSE(again.lblStatus().Visible());
    EXPECT_EQ(again.SearchField(), "City");
    EXPECT_EQ(again.MSDataControl(), "Data1");
    EXPECT_EQ(again.BorderStyle(), border_style::Etched);
    EXPECT_TRUE(again.Enabled());
    EXPECT_EQ(host::saveForm(*loaded), text);
    loaded->Unload();

    struct Case {
        const char* key;
        const char* badValue;  // JSON
    };
    const Case cases[] = {{"BorderStyle", "\"thick\""},
                          {"StatusVisible", "\"perhaps\""},
                          {"BorderStyle", "70000"},
                          {"Enabled", "[1]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::string broken = text;
        const std::string from = "\"" + std::string(c.key) + "\": ";
        std::size_t at = broken.find(from);
        if (at == std::string::npos) {
            at = broken.find("\"StatusVisible\": ");
            broken.insert(at, from + c.badValue + ",\n          ");
        } else {
            const std::size_t end = broken.find_first_of(",\n", at + from.size());
            broken.replace(at + from.size(), end - at - from.size(), c.badValue);
        }
        try {
            host::loadForm(broken, "bar.form", factory);
            ADD_FAILURE() << "loaded";
        } catch (const host::Error& e) {
            const std::string what = e.description();
            EXPECT_NE(what.find("bar.form"), std::string::npos) << what;
            EXPECT_NE(what.find("/controls/0/properties"), std::string::npos) << what;
            EXPECT_NE(what.find(c.key), std::string::npos) << what;
        }
    }
}

}  // namespace
}  // namespace qv::navigator::test
