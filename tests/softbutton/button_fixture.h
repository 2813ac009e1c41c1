// SPDX-License-Identifier: MIT
// The test bed of the picture button: a form with a green back colour on
// which buttons are placed (29 x 29 pixels unless told), small test pictures,
// and a log of the events the buttons raise.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/form.h"
#include "host/property_bag.h"
#include "softbutton/qvSoftButton.h"

namespace qv::softbutton::test {

inline constexpr std::int32_t kFormColor = 0x00C000;  // the container's colour
inline constexpr COLORREF kPictureColor = 0xFF0000;   // every pixel but the corner
inline constexpr COLORREF kPictureKey = 0xFF00FF;     // the corner, left out

// System colours as the surface shows them.
COLORREF face();
COLORREF shadow();
COLORREF highlight();
COLORREF darkShadow();

// A w x h bitmap picture in kPictureColor with its top-left pixel kPictureKey.
PictureRef testPicture(int w = 16, int h = 16, COLORREF color = kPictureColor);

class ButtonTest : public ::testing::Test {
  protected:
    ButtonTest();
    ~ButtonTest() override;

    // Places a new button (first-time defaults) with the given style; logs its
    // events. `container` places it inside a frame of the form.
    std::shared_ptr<qvSoftButton> add(const std::string& name, std::int32_t style = 0,
                                      int widthPixels = 29, int heightPixels = 29,
                                      const std::shared_ptr<host::Control>& container = nullptr);
    // Places a stored button, loaded from `bag`.
    std::shared_ptr<qvSoftButton> load(const std::string& name, const host::PropertyBag& bag,
                                       const std::shared_ptr<host::Control>& container = nullptr);

    COLORREF at(const qvSoftButton& b, int x, int y) const;
    // The events raised since the last call, as "Name.Click" and
    // "Name.MouseMove(button,shift,x,y)".
    std::vector<std::string> takeEvents();

    std::shared_ptr<host::Form> m_form = std::make_shared<host::Form>();
    std::vector<std::string> m_events;

  private:
    void watch(const std::string& name);
};

}  // namespace qv::softbutton::test
