// SPDX-License-Identifier: MIT
// The application object: its defaults and the current date and time read
// from its clock in its locale.
#include "host/app.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "host/error.h"

namespace qv::host {
namespace {

TEST(App, DefaultsNameTheRunningProgram) {
    const App fresh;
    EXPECT_EQ(fresh.title(), program_invocation_short_name);
    EXPECT_FALSE(fresh.path().empty());
    EXPECT_NE(fresh.path().back(), '/');
    EXPECT_EQ(fresh.hInstance(), nullptr);
}

TEST(App, CurrentDateAndTimeFollowClockAndLocale) {
    App a;
    a.clock().set({2026, 12, 7, 14, 3, 9});
    a.setLocale(*Locale::find("en-US"));
    EXPECT_EQ(a.formatNow("Short Date") + " " + a.formatNow("Long Time"), "12/7/2026 2:03:09 PM");
    a.setLocale(*Locale::find("de-DE"));
    EXPECT_EQ(a.formatNow("Short Date") + " " + a.formatNow("Long Time"), "07.12.2026 14:03:09");
    EXPECT_THROW(a.formatNow("medium date"), Error);
}

TEST(App, EachThreadHasItsOwn) {
    app().setTitle("Navigator");
    std::string other;
    std::thread([&] { other = app().title(); }).join();
    EXPECT_EQ(app().title(), "Navigator");
    EXPECT_NE(other, "Navigator");
}

}  // namespace
}  // namespace qv::host
