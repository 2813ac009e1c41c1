// SPDX-License-Identifier: MIT
// Dates and times as text under several locales, the choice of locale from
// the environment, and the settable clock.
#include "host/date_format.h"

#include <gtest/gtest.h>

#include "host/clock.h"
#include "host/error.h"
#include "host/locale.h"

namespace qv::host {
namespace {

const Locale& locale(const char* name) {
    const Locale* found = Locale::find(name);
    EXPECT_NE(found, nullptr) << name;
    return found ? *found : Locale::builtIn().front();
}

TEST(DateFormat, NamedFormatsFollowTheLocale) {
    struct Case {
        const char* locale;
        DateTime time;
        const char* shortDate;
        const char* longTime;
    };
    const Case cases[] = {
        {"en-US", {2026, 3, 4, 9, 5, 7}, "3/4/2026", "9:05:07 AM"},
        {"en-US", {2026, 12, 31, 0, 0, 0}, "12/31/2026", "12:00:00 AM"},
        {"en-US", {2026, 12, 31, 12, 0, 1}, "12/31/2026", "12:00:01 PM"},
        {"en-US", {2026, 12, 31, 23, 59, 59}, "12/31/2026", "11:59:59 PM"},
        {"de-DE", {2026, 3, 4, 9, 5, 7}, "04.03.2026", "09:05:07"},
        {"de-DE", {2026, 12, 31, 23, 59, 59}, "31.12.2026", "23:59:59"},
        {"en-GB", {999, 1, 2, 0, 0, 0}, "02/01/0999", "00:00:00"},
        {"ja-JP", {2026, 3, 4, 9, 5, 7}, "2026/03/04", "9:05:07"},
        {"nl-NL", {2026, 3, 4, 19, 5, 7}, "4-3-2026", "19:05:07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(formatNamed(c.time, "short date", locale(c.locale)), c.shortDate);
        EXPECT_EQ(formatNamed(c.time, "Long Time", locale(c.locale)), c.longTime);
    }
    EXPECT_EQ(formatNamed({2026, 3, 4, 19, 5, 7}, "GENERAL DATE", locale("en-US")),
              "3/4/2026 7:05:07 PM");
    EXPECT_EQ(formatNamed({2026, 3, 4, 19, 5, 7}, "short time", locale("en-US")), "19:05");
    EXPECT_THROW(formatNamed({}, "shortdate", locale("en-US")), Error);
}

TEST(DateFormat, PicturesCopyLiteralsAndQuotedText) {
    const DateTime t{2026, 7, 8, 13, 4, 5};
    const Locale& us = locale("en-US");
    EXPECT_EQ(formatDateTime(t, "yy-MM-dd'T'HH.mm.ss", us), "26-07-08T13.04.05");
    EXPECT_EQ(formatDateTime(t, "'it''s' h t", us), "it's 1 P");
    EXPECT_EQ(formatDateTime(t, "'unterminated", us), "unterminated");
    EXPECT_EQ(formatDateTime(t, "", us), "");
    // A designator is cut at a whole UTF-8 character, not a byte.
    EXPECT_EQ(formatDateTime({2026, 1, 1, 8, 0, 0}, "t", locale("ja-JP")), "\xe5\x8d\x88");
}

TEST(Locale, ChosenFromEnvironmentSettingsAndPosixNames) {
    struct Case {
        const char* lcAll;
        const char* lcTime;
        const char* lang;
        const char* expected;
        bool fallsBack;  // a name we have no formats for
    };
    const Case cases[] = {
        {"", "", "", "en-US", false},
        {"", "", "de_DE.UTF-8", "de-DE", false},
        {"", "en_GB.UTF-8", "de_DE.UTF-8", "en-GB", false},
        {"fr_FR@euro", "en_GB", "de_DE", "fr-FR", false},
        {"", "", "C.UTF-8", "en-US", false},
        {"", "", "POSIX", "en-US", false},
        {"", "", "xx_YY", "en-US", true},
        {"", "", "sv_SE.UTF-8", "en-US", true},
        {"", "", "de", "de-DE", false},
        {"", "", "DE-de", "de-DE", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Locale::fromSettings(c.lcAll, c.lcTime, c.lang).name, c.expected)
            << c.lcAll << "|" << c.lcTime << "|" << c.lang;
        EXPECT_EQ(Locale::fallsBack(Locale::settingOf(c.lcAll, c.lcTime, c.lang)), c.fallsBack)
            << c.lcAll << "|" << c.lcTime << "|" << c.lang;
    }
    // A name given directly takes the same forms.
    for (const char* name : {"de-DE", "de_DE", "de_DE.UTF-8", "de_DE.utf8@euro", "de"}) {
        ASSERT_NE(Locale::find(name), nullptr) << name;
        EXPECT_EQ(Locale::find(name)->name, "de-DE") << name;
    }
    EXPECT_EQ(Locale::find("nonsense"), nullptr);
}

TEST(Clock, FixedTimeAdvancesAcrossCalendarBoundaries) {
    Clock clock;
    EXPECT_FALSE(clock.isFixed());
    EXPECT_TRUE(clock.now().isValid());
    EXPECT_THROW(clock.advance(1), Error);

    clock.set({2024, 2, 28, 23, 59, 59});
    clock.advance(1);
    EXPECT_EQ(clock.now(), (DateTime{2024, 2, 29, 0, 0, 0}));
    clock.advance(86400);
    EXPECT_EQ(clock.now(), (DateTime{2024, 3, 1, 0, 0, 0}));
    clock.advance(-1);
    EXPECT_EQ(clock.now(), (DateTime{2024, 2, 29, 23, 59, 59}));
    clock.set({2026, 12, 31, 23, 0, 0});
    clock.advance(3600);
    EXPECT_EQ(clock.now(), (DateTime{2027, 1, 1, 0, 0, 0}));

    // Out-of-range times are refused and leave the clock as it was.
    const DateTime invalid[] = {{2023, 2, 29, 0, 0, 0}, {2026, 13, 1, 0, 0, 0},
                                {2026, 4, 31, 0, 0, 0}, {2026, 1, 1, 24, 0, 0},
                                {99, 1, 1, 0, 0, 0},    {10000, 1, 1, 0, 0, 0}};
    for (const DateTime& t : invalid) EXPECT_THROW(clock.set(t), Error);
    clock.set({9999, 12, 31, 23, 59, 59});
    EXPECT_THROW(clock.advance(1), Error);
    EXPECT_THROW(clock.advance(1LL << 62), Error);
    EXPECT_EQ(clock.now(), (DateTime{9999, 12, 31, 23, 59, 59}));
    clock.useSystemTime();
    EXPECT_FALSE(clock.isFixed());
}

}  // namespace
}  // namespace qv::host
