// SPDX-License-Identifier: MIT
#include "run_options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace qv::qvform {
namespace {

TEST(RunOptionsTest, ReadsTheFormTheScriptTheClockAndTheLocale) {
    const RunOptions o = parseRunOptions(
        {"a.form", "--script", "s.qvs", "--now", "2026-12-07 10:00:00", "--locale", "de_DE"});
    EXPECT_EQ(o.formFile, "a.form");
    EXPECT_EQ(o.scriptFile, "s.qvs");
    ASSERT_TRUE(o.now);
    EXPECT_EQ(*o.now, (host::DateTime{2026, 12, 7, 10, 0, 0}));
    EXPECT_EQ(o.locale, "de_DE");
    // Without a script the form is shown in a window, with the system clock
    // and the environment's locale unless told otherwise.
    const RunOptions window = parseRunOptions({"a.form"});
    EXPECT_EQ(window.scriptFile, "");
    EXPECT_EQ(window.locale, "");
    EXPECT_FALSE(window.now);
    EXPECT_EQ(parseRunOptions({"a.form", "--db", "mine.db"}).database, "mine.db");
    const RunOptions made = parseRunOptions({"--new-form", "mine.db", "orders"});
    EXPECT_EQ(made.newFormDatabase, "mine.db");
    EXPECT_EQ(made.newFormTable, "orders");
}

TEST(RunOptionsTest, TheLocaleComesFromTheEnvironmentUnlessTheCommandLineNamesOne) {
    // The environment's own rules (LC_ALL before LC_TIME before LANG) are
    // the locale's; here only who wins.
    setenv("LANG", "de_DE.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_TIME");
    std::ostringstream warnings;
    RunOptions options = parseRunOptions({"a.form"});
    EXPECT_EQ(chosenLocale(options, warnings).name, "de-DE");
    options = parseRunOptions({"a.form", "--locale", "en_GB.UTF-8"});
    EXPECT_EQ(chosenLocale(options, warnings).name, "en-GB");
    EXPECT_EQ(warnings.str(), "");
    // A name without formats of its own falls back, and says so.
    setenv("LANG", "sv_SE.UTF-8", 1);
    EXPECT_EQ(chosenLocale(parseRunOptions({"a.form"}), warnings).name, "en-US");
    EXPECT_NE(warnings.str().find("\"sv_SE.UTF-8\""), std::string::npos) << warnings.str();
    unsetenv("LANG");
}

TEST(RunOptionsTest, HelpAndVersionStopBeforeAnythingElseIsRead) {
    struct Case {
        std::vector<std::string> args;
        bool help;
        bool version;
    };
    const Case cases[] = {
        {{"--help"}, true, false},
        {{"-h"}, true, false},
        {{"a.form", "--help", "--verbose"}, true, false},
        {{"--version"}, false, true},
        {{"--version", "x", "y"}, false, true},
    };
    for (const Case& c : cases) {
        const RunOptions o = parseRunOptions(c.args);
        EXPECT_EQ(o.help, c.help) << c.args.front();
        EXPECT_EQ(o.version, c.version) << c.args.front();
    }
    EXPECT_TRUE(versionLine().starts_with("qvform "));
}

TEST(RunOptionsTest, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--script", "s.qvs"},
        {"a.form", "b.form"},
        {"a.form", "--script"},
        {"a.form", "--verbose"},
        {"-x"},  // an option, not a form file
        {"a.form", "--locale", "xx-YY"},
        {"a.form", "--now", "2026-02-30 10:00:00"},  // no such day
        {"a.form", "--now", "2026-12-07 24:00:00"},
        {"a.form", "--now", "2026-12-07"},
        {"a.form", "--now", "2026-12-07 10:00:00x"},
        {"a.form", "--db"},
        {"--new-form", "only.db"},
        {"a.form", "--new-form", "x.db", "t"},
        {"--new-form", "x.db", "t", "--db", "y.db"},
    };
    for (const auto& args : cases) {
        EXPECT_THROW(parseRunOptions(args), std::invalid_argument) << testing::PrintToString(args);
    }
}

}  // namespace
}  // namespace qv::qvform
