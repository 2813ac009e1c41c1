// SPDX-License-Identifier: MIT
// The button's properties: change notification, normalised values, the
// 16-bit styles, the painted back colour and the life cycle's resources.
#include <gtest/gtest.h>

#include "button_fixture.h"
#include "host/error.h"
#include "platform/ole/picture.h"
#include "support/gdi_leak_guard.h"

namespace qv::softbutton::test {
namespace {

using host::Variant;

class ModelTest : public ButtonTest {};

TEST_F(ModelTest, FirstTimeDefaults) {
    auto b = add("B");
    EXPECT_TRUE(b->isEnabled());
    EXPECT_EQ(b->Style(), 0);
    EXPECT_FALSE(b->Value());
    EXPECT_EQ(b->BackColorProperty(), kFormColor);
    EXPECT_EQ(b->paintBackColor(), kFormColor);
    ASSERT_TRUE(b->Picture());
    EXPECT_EQ(b->Picture()->Handle(), nullptr);  // an empty picture, not none
    EXPECT_EQ(at(*b, 14, 14), static_cast<COLORREF>(kFormColor));
}

TEST_F(ModelTest, EveryLetMarksItsPropertyChangedEvenWithoutChange) {
    auto b = add("B");
    const std::pair<const char*, Variant> lets[] = {
        {"ButtonGroup", Variant("")},
        {"ButtonGroupDefault", Variant(false)},
        {"ButtonGroupDefault2", Variant(false)},
        {"Value", Variant(false)},
        {"Enabled", Variant(true)},
        {"Style", Variant(0)},
        {"BackStyle", Variant(0)},
        {"BackColor", Variant(kFormColor)},
    };
    for (const auto& [name, value] : lets) {
        m_form->clearChanged();
        b->let(name, value);
        ASSERT_EQ(m_form->changes().size(), 1u) << name;
        EXPECT_EQ(m_form->changes()[0], std::string("B.") + name);
    }
    m_form->clearChanged();
    b->set("Picture", Variant::nothing());
    EXPECT_EQ(m_form->changes(), std::vector<std::string>{"B.Picture"});
}

TEST_F(ModelTest, BooleansAreNormalisedAndStylesKeepSixteenBits) {
    auto b = add("B");
    b->let("Value", Variant(5));
    EXPECT_EQ(b->get("Value"), Variant(true));
    b->let("Style", Variant(7));  // unknown: stored, draws nothing
    EXPECT_EQ(b->get("Style"), Variant(7));
    m_form->clearChanged();
    try {
        b->let("Style", Variant(40000));
        FAIL() << "no overflow";
    } catch (const host::Error& e) {
        EXPECT_EQ(e.number(), host::errc::Overflow);
    }
    EXPECT_EQ(b->Style(), 7);
    EXPECT_FALSE(m_form->changed());  // nothing reported either
    EXPECT_THROW(b->setBackStyle(-40000), host::Error);
}

TEST_F(ModelTest, BackStyleOneAloneUsesTheButtonsOwnColour) {
    auto b = add("B");
    b->setBackColorProperty(0x0000FF);
    EXPECT_EQ(b->paintBackColor(), kFormColor);
    b->setBackStyle(1);
    EXPECT_EQ(b->paintBackColor(), 0x0000FF);
    EXPECT_EQ(at(*b, 0, 0), 0x0000FFu);
    b->setBackStyle(2);
    EXPECT_EQ(b->paintBackColor(), kFormColor);
    EXPECT_EQ(at(*b, 0, 0), static_cast<COLORREF>(kFormColor));
}

TEST_F(ModelTest, PicturesRepaintOnlyInTheStateThatShowsThem) {
    auto b = add("B");
    b->setPicture(testPicture());
    EXPECT_EQ(at(*b, 14, 14), kPictureColor);
    b->setEnabledState(false);
    // Disabled: the normal picture is embossed; a new one is only stored.
    const COLORREF embossed = at(*b, 14, 14);
    b->setPicture(testPicture(16, 16, 0x00FFFF));
    EXPECT_EQ(at(*b, 14, 14), embossed);
    b->setDisabledPicture(testPicture(16, 16, 0x0000FF));
    EXPECT_EQ(at(*b, 14, 14), 0x0000FFu);
    b->setEnabledState(true);
    b->setDisabledPicture(testPicture(16, 16, 0x00FF00));
    EXPECT_EQ(at(*b, 14, 14), 0x00FFFFu);
}

TEST_F(ModelTest, ButtonsReleaseEveryGdiObjectTheyMake) {
    QV_EXPECT_NO_GDI_LEAKS({
        auto form = std::make_shared<host::Form>();
        auto b = std::make_shared<qvSoftButton>();
        form->add(b, "B", std::nullopt, {0, 0, 435, 435});
        b->setPicture(testPicture());
        b->setStyle(4);
        b->setValue(true);
        form->Unload();
    });
    // Dropped without the host's termination as well.
    QV_EXPECT_NO_GDI_LEAKS({
        auto form = std::make_shared<host::Form>();
        form->add(std::make_shared<qvSoftButton>(), "B", std::nullopt, {0, 0, 435, 435});
    });
}

}  // namespace
}  // namespace qv::softbutton::test
