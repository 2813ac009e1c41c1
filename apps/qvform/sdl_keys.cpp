// SPDX-License-Identifier: MIT
#include "sdl_keys.h"

#include <utility>

#include "platform/win32.h"

namespace qv::qvform {

namespace {

constexpr std::pair<SDL_Keycode, UINT> kKeys[] = {
    {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_TAB, VK_TAB},       {SDLK_BACKSPACE, VK_BACK},  {SDLK_DELETE, VK_DELETE},
    {SDLK_INSERT, VK_INSERT}, {SDLK_SPACE, VK_SPACE},     {SDLK_LEFT, VK_LEFT},
    {SDLK_RIGHT, VK_RIGHT},   {SDLK_UP, VK_UP},           {SDLK_DOWN, VK_DOWN},
    {SDLK_HOME, VK_HOME},     {SDLK_END, VK_END},         {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_LSHIFT, VK_SHIFT},    {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},   {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},     {SDLK_SEMICOLON, 0xBA},     {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},         {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},     {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},   {SDLK_RIGHTBRACKET, 0xDD},  {SDLK_QUOTE, 0xDE},
};

}  // namespace

UINT virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<UINT>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<UINT>('0' + (key - SDLK_0));
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return static_cast<UINT>('1' + (key - SDLK_KP_1));
    if (key == SDLK_KP_0) return '0';
    if (key >= SDLK_F1 && key <= SDLK_F12) return static_cast<UINT>(VK_F1 + (key - SDLK_F1));
    for (const auto& [sdl, vk] : kKeys) {
        if (sdl == key) return vk;
    }
    return 0;
}

}  // namespace qv::qvform
