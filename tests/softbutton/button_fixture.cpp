// SPDX-License-Identifier: MIT
#include "button_fixture.h"

#include <sstream>

#include "platform/ole/picture.h"

namespace qv::softbutton::test {

COLORREF face() {
    return GetSysColor(COLOR_BTNFACE);
}
COLORREF shadow() {
    return GetSysColor(COLOR_BTNSHADOW);
}
COLORREF highlight() {
    return GetSysColor(COLOR_BTNHIGHLIGHT);
}
COLORREF darkShadow() {
    return GetSysColor(COLOR_3DDKSHADOW);
}

PictureRef testPicture(int w, int h, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, w, h};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SetPixel(dc, 0, 0, kPictureKey);
    SelectObject(dc, old);
    DeleteDC(dc);
    return ole::Picture::fromBitmap(bitmap, true);
}

ButtonTest::ButtonTest() {
    m_form->setBackColor(kFormColor);
}

ButtonTest::~ButtonTest() {
    m_form->Unload();
}

void ButtonTest::watch(const std::string& name) {
    m_form->events().on(name, "Click", [this, name](auto, std::span<host::Variant>) {
        m_events.push_back(name + ".Click");
    });
    m_form->events().on(name, "MouseMove", [this, name](auto, std::span<host::Variant> args) {
        std::ostringstream out;
        out << name << ".MouseMove(" << args[0].toInteger() << "," << args[1].toInteger() << ","
            << args[2].toSingle() << "," << args[3].toSingle() << ")";
        m_events.push_back(out.str());
    });
}

std::shared_ptr<qvSoftButton> ButtonTest::add(const std::string& name, std::int32_t style,
                                              int widthPixels, int heightPixels,
                                              const std::shared_ptr<host::Control>& container) {
    auto b = std::make_shared<qvSoftButton>();
    m_form->add(b, name, std::nullopt,
                {0, 0, widthPixels * host::TwipsPerPixel, heightPixels * host::TwipsPerPixel},
                container);
    watch(name);
    if (style != 0) b->setStyle(style);
    return b;
}

std::shared_ptr<qvSoftButton> ButtonTest::load(const std::string& name,
                                               const host::PropertyBag& bag,
                                               const std::shared_ptr<host::Control>& container) {
    auto b = std::make_shared<qvSoftButton>();
    m_form->add(b, name, std::nullopt, {0, 0, 435, 435}, container, &bag);
    watch(name);
    return b;
}

COLORREF ButtonTest::at(const qvSoftButton& b, int x, int y) const {
    return GetPixel(b.hDC(), x, y);
}

std::vector<std::string> ButtonTest::takeEvents() {
    return std::exchange(m_events, {});
}

}  // namespace qv::softbutton::test
