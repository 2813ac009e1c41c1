// SPDX-License-Identifier: MIT
#include "host/locale.h"

#include <array>
#include <cctype>
#include <cstdlib>

namespace qv::host {
namespace {

const std::array<Locale, 6> kLocales{{
    {"en-US", "M/d/yyyy", "h:mm:ss tt", "AM", "PM"},
    {"en-GB", "dd/MM/yyyy", "HH:mm:ss", "AM", "PM"},
    {"de-DE", "dd.MM.yyyy", "HH:mm:ss", "", ""},
    {"fr-FR", "dd/MM/yyyy", "HH:mm:ss", "", ""},
    {"nl-NL", "d-M-yyyy", "H:mm:ss", "", ""},
    {"ja-JP", "yyyy/MM/dd", "H:mm:ss", "\xe5\x8d\x88\xe5\x89\x8d", "\xe5\x8d\x88\xe5\xbe\x8c"},
}};

// Lower case with '_' read as '-', so "de_DE" and "de-de" compare equal.
std::string normalised(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        out += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// Strips the codeset and modifier of a POSIX locale value: "de_DE.UTF-8@euro".
std::string_view withoutCodeset(std::string_view value) {
    const auto cut = value.find_first_of(".@");
    return cut == std::string_view::npos ? value : value.substr(0, cut);
}

const Locale* findByLanguage(std::string_view language) {
    const std::string wanted = normalised(language);
    for (const Locale& locale : kLocales) {
        const std::string name = normalised(locale.name);
        if (name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0 &&
            name[wanted.size()] == '-') {
            return &locale;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const Locale> Locale::builtIn() {
    return kLocales;
}

const Locale* Locale::find(std::string_view name) {
    name = withoutCodeset(name);
    const std::string wanted = normalised(name);
    for (const Locale& locale : kLocales) {
        if (normalised(locale.name) == wanted) return &locale;
    }
    if (!name.empty() && name.find_first_of("_-") == std::string_view::npos) {
        return findByLanguage(name);
    }
    return nullptr;
}

const Locale& Locale::fromSettings(std::string_view lcAll, std::string_view lcTime,
                                   std::string_view lang) {
    if (const Locale* found = find(settingOf(lcAll, lcTime, lang))) return *found;
    return kLocales.front();
}

std::string_view Locale::settingOf(std::string_view lcAll, std::string_view lcTime,
                                   std::string_view lang) {
    return !lcAll.empty() ? lcAll : !lcTime.empty() ? lcTime : lang;
}

bool Locale::fallsBack(std::string_view setting) {
    const std::string_view name = withoutCodeset(setting);
    return !name.empty() && name != "C" && name != "POSIX" && find(name) == nullptr;
}

const Locale& Locale::fromEnvironment() {
    auto value = [](const char* name) -> std::string_view {
        const char* text = std::getenv(name);
        return text ? std::string_view(text) : std::string_view();
    };
    return fromSettings(value("LC_ALL"), value("LC_TIME"), value("LANG"));
}

}  // namespace qv::host
