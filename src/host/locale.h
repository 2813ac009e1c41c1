// SPDX-License-Identifier: MIT
// Regional settings used when dates and times are shown to the user: the
// short date and long time pictures and the AM/PM designators of a locale,
// with the built-in locales and the choice of one from the environment.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qv::host {

// One locale's regional settings. The pictures use the usual tokens: d/dd day,
// M/MM month, yy/yyyy year, h/hh 12-hour, H/HH 24-hour, m/mm minute, s/ss
// second, t/tt AM/PM designator; text in single quotes is copied as it is.
struct Locale {
    std::string name;              // "en-US"
    std::string shortDatePattern;  // "M/d/yyyy"
    std::string longTimePattern;   // "h:mm:ss tt"
    std::string amDesignator;      // "AM"
    std::string pmDesignator;      // "PM"

    // Returns every built-in locale; en-US comes first.
    static std::span<const Locale> builtIn();

    // Returns the built-in locale named `name` ("de-DE", "de_DE" and "de-de"
    // are the same name, and so is the POSIX "de_DE.UTF-8@euro"; a language
    // alone, "de", takes that language's first locale), or nullptr when
    // there is none.
    static const Locale* find(std::string_view name);

    // Returns the locale that POSIX-style settings select: LC_ALL wins over
    // LC_TIME, which wins over LANG; an empty value is skipped. A value such
    // as "de_DE.UTF-8@euro" names de-DE; a language alone ("de") takes that
    // language's first locale. Anything unknown, "C" and "POSIX" give en-US.
    static const Locale& fromSettings(std::string_view lcAll, std::string_view lcTime,
                                      std::string_view lang);

    // The setting that decides among the three (the first that is not empty).
    static std::string_view settingOf(std::string_view lcAll, std::string_view lcTime,
                                      std::string_view lang);
    // Whether a setting names a locale that is not built in, so that en-US
    // stands in for it ("C", "POSIX" and no setting choose en-US outright).
    static bool fallsBack(std::string_view setting);

    // Returns fromSettings() applied to this process's environment variables.
    static const Locale& fromEnvironment();
};

}  // namespace qv::host
