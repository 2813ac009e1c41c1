// SPDX-License-Identifier: MIT
// Parsing of the vector files' value types and the API registry.
#include <cstdio>
#include <unordered_map>

#include "replay.h"

namespace qv::replay {
namespace {

std::map<std::string, ApiHandler>& registry() {
    static std::map<std::string, ApiHandler> handlers;
    return handlers;
}

const std::unordered_map<std::string, long long>& constants() {
    static const std::unordered_map<std::string, long long> table{
        {"HORZSIZE", HORZSIZE},
        {"VERTSIZE", VERTSIZE},
        {"HORZRES", HORZRES},
        {"VERTRES", VERTRES},
        {"BITSPIXEL", BITSPIXEL},
        {"PLANES", PLANES},
        {"NUMCOLORS", NUMCOLORS},
        {"TECHNOLOGY", TECHNOLOGY},
        {"LOGPIXELSX", LOGPIXELSX},
        {"LOGPIXELSY", LOGPIXELSY},
        {"RASTERCAPS", RASTERCAPS},
        {"SIZEPALETTE", SIZEPALETTE},
        {"NUMRESERVED", NUMRESERVED},
        {"COLORRES", COLORRES},
        {"RC_PALETTE", RC_PALETTE},
        {"RC_BITBLT", RC_BITBLT},
        {"OBJ_PEN", OBJ_PEN},
        {"OBJ_BRUSH", OBJ_BRUSH},
        {"OBJ_DC", OBJ_DC},
        {"OBJ_PAL", OBJ_PAL},
        {"OBJ_FONT", OBJ_FONT},
        {"OBJ_BITMAP", OBJ_BITMAP},
        {"OBJ_REGION", OBJ_REGION},
        {"OBJ_MEMDC", OBJ_MEMDC},
        {"WHITE_BRUSH", WHITE_BRUSH},
        {"LTGRAY_BRUSH", LTGRAY_BRUSH},
        {"GRAY_BRUSH", GRAY_BRUSH},
        {"DKGRAY_BRUSH", DKGRAY_BRUSH},
        {"BLACK_BRUSH", BLACK_BRUSH},
        {"NULL_BRUSH", NULL_BRUSH},
        {"WHITE_PEN", WHITE_PEN},
        {"BLACK_PEN", BLACK_PEN},
        {"NULL_PEN", NULL_PEN},
        {"SYSTEM_FONT", SYSTEM_FONT},
        {"DEFAULT_GUI_FONT", DEFAULT_GUI_FONT},
        {"DEFAULT_PALETTE", DEFAULT_PALETTE},
        {"PS_SOLID", PS_SOLID},
        {"PS_DASH", PS_DASH},
        {"PS_DOT", PS_DOT},
        {"PS_NULL", PS_NULL},
        {"PS_INSIDEFRAME", PS_INSIDEFRAME},
        {"TRANSPARENT", TRANSPARENT},
        {"OPAQUE", OPAQUE},
        {"BLACKONWHITE", BLACKONWHITE},
        {"WHITEONBLACK", WHITEONBLACK},
        {"COLORONCOLOR", COLORONCOLOR},
        {"HALFTONE", HALFTONE},
        {"SRCCOPY", SRCCOPY},
        {"SRCPAINT", SRCPAINT},
        {"SRCAND", SRCAND},
        {"SRCINVERT", SRCINVERT},
        {"SRCERASE", SRCERASE},
        {"NOTSRCCOPY", NOTSRCCOPY},
        {"NOTSRCERASE", NOTSRCERASE},
        {"MERGECOPY", MERGECOPY},
        {"MERGEPAINT", MERGEPAINT},
        {"PATCOPY", PATCOPY},
        {"PATPAINT", PATPAINT},
        {"PATINVERT", PATINVERT},
        {"DSTINVERT", DSTINVERT},
        {"BLACKNESS", BLACKNESS},
        {"WHITENESS", WHITENESS},
        {"R2_COPYPEN", R2_COPYPEN},
        {"R2_XORPEN", R2_XORPEN},
        {"R2_NOT", R2_NOT},
    };
    return table;
}

long long member(const Json& value, const char* name, std::size_t index) {
    if (value.is_object()) return value.at(name).get<long long>();
    if (value.is_array()) return value.at(index).get<long long>();
    throw ReplayError(std::string("expected an object or array with ") + name);
}

}  // namespace

void registerApi(const std::string& name, ApiHandler handler) {
    registry()[name] = std::move(handler);
}

const ApiHandler* findApi(const std::string& name) {
    auto it = registry().find(name);
    return it != registry().end() ? &it->second : nullptr;
}

COLORREF parseColor(const Json& value) {
    if (value.is_number()) return value.get<COLORREF>();
    if (!value.is_string()) throw ReplayError("colour is not a string: " + value.dump());
    std::string text = value.get<std::string>();
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) text = text.substr(2);
    if (text.empty() || text.size() > 8) throw ReplayError("bad colour: " + text);
    return static_cast<COLORREF>(std::stoul(text, nullptr, 16));
}

DWORD parseHex(const Json& value) {
    if (value.is_number()) return value.get<DWORD>();
    if (!value.is_string()) throw ReplayError("expected a hex string: " + value.dump());
    const std::string text = value.get<std::string>();
    if (constants().count(text) != 0) return static_cast<DWORD>(constants().at(text));
    return static_cast<DWORD>(std::stoul(text, nullptr, 16));
}

RECT parseRect(const Json& value) {
    return RECT{static_cast<LONG>(member(value, "left", 0)),
                static_cast<LONG>(member(value, "top", 1)),
                static_cast<LONG>(member(value, "right", 2)),
                static_cast<LONG>(member(value, "bottom", 3))};
}

POINT parsePoint(const Json& value) {
    return POINT{static_cast<LONG>(member(value, "x", 0)),
                 static_cast<LONG>(member(value, "y", 1))};
}

SIZE parseSize(const Json& value) {
    return SIZE{static_cast<LONG>(member(value, "w", 0)), static_cast<LONG>(member(value, "h", 1))};
}

long long parseConstant(const Json& value) {
    if (value.is_number()) return value.get<long long>();
    if (value.is_string()) {
        const std::string text = value.get<std::string>();
        auto it = constants().find(text);
        if (it != constants().end()) return it->second;
        if (text.rfind("0x", 0) == 0) return static_cast<long long>(std::stoull(text, nullptr, 16));
        throw ReplayError("unknown constant " + text);
    }
    throw ReplayError("expected a constant: " + value.dump());
}

std::string colorText(COLORREF color) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(color));
    return text;
}

}  // namespace qv::replay
