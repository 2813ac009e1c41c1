// SPDX-License-Identifier: MIT
// Saving and loading the button's properties: key order, defaults, round
// trips, and stored values that do not convert.
#include <gtest/gtest.h>

#include "button_fixture.h"
#include "host/picture_object.h"
#include "platform/ole/picture.h"

namespace qv::softbutton::test {
namespace {

using host::Variant;

class PersistenceTest : public ButtonTest {
  protected:
    static std::vector<std::string> keys(const host::PropertyBag& bag) {
        std::vector<std::string> out;
        for (const auto& [key, value] : bag.entries()) out.push_back(key);
        return out;
    }
};

TEST_F(PersistenceTest, RoundTripWritesTheTwelveKeysInOrder) {
    auto b = add("A");
    b->setPicture(testPicture());
    b->setEnabledState(false);
    b->setStyle(4);
    b->setButtonGroup("g");
    b->setValue(true);
    b->setButtonGroupDefault(true);
    b->setButtonGroupDefault2(true);
    b->setBackStyle(1);
    b->setBackColorProperty(0x0000FF);
    b->setDownPicture(testPicture(8, 8));
    b->setFlatPicture(testPicture(9, 9));
    b->setDisabledPicture(testPicture(10, 10));
    host::PropertyBag bag;
    b->hostWriteProperties(bag);
    EXPECT_EQ(keys(bag), (std::vector<std::string>{
                             "Picture", "Enabled", "Style", "Value", "ButtonGroup",
                             "ButtonGroupDefault", "ButtonGroupDefault2", "BackStyle", "BackColor",
                             "DownPicture", "FlatPicture", "DisabledPicture"}));
    EXPECT_EQ(bag.ReadProperty("Style").type(), host::VarType::Integer);

    auto c = load("B", bag);
    EXPECT_EQ(c->Picture(), b->Picture());  // a reference, not a copy
    EXPECT_FALSE(c->isEnabled());
    EXPECT_EQ(c->Style(), 4);
    EXPECT_TRUE(c->Value());
    EXPECT_EQ(c->ButtonGroup(), "g");
    EXPECT_TRUE(c->ButtonGroupDefault());
    EXPECT_TRUE(c->ButtonGroupDefault2());
    EXPECT_EQ(c->BackStyle(), 1);
    EXPECT_EQ(c->paintBackColor(), 0x0000FF);
    EXPECT_EQ(c->DisabledPicture(), b->DisabledPicture());
    // Loading runs no group rule: both stay down.
    EXPECT_TRUE(b->Value());
}

TEST_F(PersistenceTest, DefaultsAndTheContainersColour) {
    auto fresh = add("A");
    host::PropertyBag saved;
    fresh->hostWriteProperties(saved);
    // The empty pictures of first-time defaults differ from "no picture";
    // the colour equal to the container's is left out.
    EXPECT_EQ(keys(saved), (std::vector<std::string>{"Picture", "DownPicture", "FlatPicture",
                                                     "DisabledPicture"}));

    auto loaded = load("B", host::PropertyBag{});
    EXPECT_EQ(loaded->Picture(), nullptr);
    EXPECT_TRUE(loaded->isEnabled());
    EXPECT_EQ(loaded->Style(), 0);
    EXPECT_FALSE(loaded->Value());
    EXPECT_EQ(loaded->ButtonGroup(), "");
    EXPECT_EQ(loaded->BackColorProperty(), kFormColor);
    EXPECT_EQ(at(*loaded, 3, 3), static_cast<COLORREF>(kFormColor));
}

TEST_F(PersistenceTest, ValuesThatDoNotConvertAreSkipped) {
    host::PropertyBag bag;
    bag.store("Picture", Variant(5));
    bag.store("Enabled", Variant("perhaps"));
    bag.store("Style", Variant(70000));
    bag.store("Value", Variant(true));
    bag.store("BackStyle", Variant("one"));
    bag.store("BackColor", Variant("red"));
    bag.store("FlatPicture", host::pictureVariant(testPicture()));
    auto b = load("A", bag);
    EXPECT_EQ(b->Picture(), nullptr);
    EXPECT_FALSE(b->isEnabled());  // as construction left it
    EXPECT_EQ(b->Style(), 0);
    EXPECT_TRUE(b->Value());
    EXPECT_EQ(b->BackStyle(), 0);
    EXPECT_EQ(b->BackColorProperty(), 0);
    EXPECT_EQ(b->paintBackColor(), kFormColor);
    ASSERT_NE(b->FlatPicture(), nullptr);   // later steps still ran
    EXPECT_EQ(b->DownPicture(), nullptr);   // a missing picture: none
    EXPECT_NE(b->hookedWindow(), nullptr);  // and the tooltip set-up at the end
}

}  // namespace
}  // namespace qv::softbutton::test
