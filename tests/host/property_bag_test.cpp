// SPDX-License-Identifier: MIT
#include "host/property_bag.h"

#include <gtest/gtest.h>

#include "host/error.h"
#include "host/member_registry.h"
#include "host/object.h"

namespace qv::host {
namespace {

class Thing : public Object {
  public:
    explicit Thing(ObjectKind kind) : m_kind(kind) {}
    const MemberRegistry& members() const override {
        static const MemberRegistry r("Thing");
        return r;
    }
    bool is(ObjectKind kind) const override { return kind == m_kind; }

  private:
    ObjectKind m_kind;
};

TEST(PropertyBagTest, ValuesEqualToTheirDefaultAreLeftOut) {
    auto picture = std::make_shared<Thing>(ObjectKind::Picture);
    auto otherPicture = std::make_shared<Thing>(ObjectKind::Picture);
    struct Case {
        const char* name;
        Variant value, def;
        bool stored;
    };
    const Case cases[] = {
        // A Boolean against an integer default 1 is always stored.
        {"StatusVisible", Variant(true), Variant(1), true},
        {"StatusVisible", Variant(false), Variant(1), true},
        {"Enabled", Variant(true), Variant(true), false},
        {"BorderStyle", Variant(std::int16_t{1}), Variant(1), false},
        {"BackColor", Variant(0x00FF00), Variant(65280.0), false},
        {"SearchField", Variant(""), Variant(""), false},
        {"SearchField", Variant("Name"), Variant("name"), true},
        {"Number", Variant("1"), Variant(1), true},
        {"Picture", Variant(picture), Variant::nothing(), true},
        {"Picture", Variant(picture), Variant(picture), false},
        {"Picture", Variant(picture), Variant(otherPicture), true},
        {"DataSource", Variant::nothing(), Variant::nothing(), false},
        {"NoDefault", Variant(0), Variant(), true},
    };
    for (const auto& c : cases) {
        PropertyBag bag;
        bag.WriteProperty(c.name, c.value, c.def);
        EXPECT_EQ(bag.contains(c.name), c.stored) << c.name << " " << c.value;
        // Whatever was decided, reading with the same default gives the value back
        // as a number equal to it.
        EXPECT_TRUE(sameForDefault(bag.ReadProperty(c.name, c.def), c.value) || !c.stored);
    }
}

TEST(PropertyBagTest, ReadGivesStoredValueOrDefaultAndKeepsWriteOrder) {
    PropertyBag bag;
    bag.WriteProperty("Style", Variant(std::int16_t{4}), Variant(std::int16_t{0}));
    bag.WriteProperty("Caption", Variant("x"), Variant(""));
    bag.WriteProperty("style", Variant(std::int16_t{5}), Variant(std::int16_t{0}));
    EXPECT_EQ(bag.ReadProperty("STYLE", Variant(0)), Variant(std::int16_t{5}));
    EXPECT_EQ(bag.ReadProperty("Missing", Variant("d")), Variant("d"));
    ASSERT_EQ(bag.entries().size(), 2u);
    EXPECT_EQ(bag.entries()[0].first, "Style");
    // Writing the default later removes the stored value.
    bag.WriteProperty("Caption", Variant(""), Variant(""));
    EXPECT_FALSE(bag.contains("Caption"));
}

TEST(PropertyBagTest, ObjectsThatCannotPersistAreRefused) {
    PropertyBag bag;
    auto control = std::make_shared<Thing>(ObjectKind::DataControl);
    try {
        bag.WriteProperty("DataSource", Variant(control), Variant::nothing());
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), errc::CantWriteObject);
    }
    EXPECT_TRUE(bag.empty());
}

}  // namespace
}  // namespace qv::host
