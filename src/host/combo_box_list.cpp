// SPDX-License-Identifier: MIT
#include "host/combo_box_list.h"

#include <algorithm>
#include <cctype>

#include "host/error.h"
#include "platform/win32.h"

namespace qv::host {
namespace {

constexpr const char* kSource = "ComboBox";
constexpr std::int32_t kInvalidPropertyValue = 380;
constexpr std::int32_t kInvalidArrayIndex = 381;
constexpr unsigned kVkF4 = 0x73;  // the key that opens and closes a drop-down list

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool sameText(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

ComboBoxList::ComboBoxList(int style, int visibleRows)
    : m_style(style), m_rows(std::max(1, visibleRows)) {
    if (style != DropDownCombo && style != DropDownList) {
        raise(kInvalidPropertyValue, kSource);
    }
}

void ComboBoxList::addItem(std::string item, std::optional<int> index) {
    const int at = index.value_or(listCount());
    if (at < 0 || at > listCount()) raise(errc::InvalidProcedureCall, kSource);
    m_items.insert(m_items.begin() + at, std::move(item));
    if (m_listIndex >= at) ++m_listIndex;
    if (m_highlight >= at) ++m_highlight;
}

void ComboBoxList::removeItem(int index) {
    if (index < 0 || index >= listCount()) raise(errc::InvalidProcedureCall, kSource);
    m_items.erase(m_items.begin() + index);
    if (m_listIndex == index) {
        m_listIndex = -1;
    } else if (m_listIndex > index) {
        --m_listIndex;
    }
    if (m_highlight >= listCount()) m_highlight = listCount() - 1;
    m_top = std::clamp(m_top, 0, std::max(0, listCount() - m_rows));
}

void ComboBoxList::clear() {
    m_items.clear();
    m_listIndex = -1;
    m_highlight = -1;
    m_top = 0;
}

const std::string& ComboBoxList::list(int index) const {
    if (index < 0 || index >= listCount()) {
        throw Error(kInvalidArrayIndex, kSource,
                    "The list has no item " + std::to_string(index) + ". Items count from 0.");
    }
    return m_items[static_cast<std::size_t>(index)];
}

bool ComboBoxList::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        raise(kInvalidPropertyValue, kSource);
    }
    const bool changed = index != m_listIndex;
    m_listIndex = index;
    if (m_style == DropDownCombo && index >= 0) m_text = m_items[static_cast<std::size_t>(index)];
    if (m_dropped) m_highlight = index;
    return changed;
}

std::string ComboBoxList::text() const {
    if (m_style == DropDownCombo) return m_text;
    return m_listIndex >= 0 ? m_items[static_cast<std::size_t>(m_listIndex)] : std::string();
}

bool ComboBoxList::setText(std::string_view text) {
    if (m_style == DropDownCombo) {
        m_text = text;
        const auto found = std::ranges::find(m_items, text);
        m_listIndex = found == m_items.end() ? -1 : static_cast<int>(found - m_items.begin());
        return false;
    }
    const auto found = std::ranges::find_if(
        m_items, [&](const std::string& item) { return sameText(item, text); });
    if (found == m_items.end()) raise(errc::PropertyReadOnly, kSource);
    return setListIndex(static_cast<int>(found - m_items.begin()));
}

void ComboBoxList::editText(std::string_view text) {
    m_text = text;
    m_listIndex = -1;
}

void ComboBoxList::ensureVisible(int index) {
    if (index < 0) return;
    if (index < m_top) m_top = index;
    if (index >= m_top + m_rows) m_top = index - m_rows + 1;
}

void ComboBoxList::open() {
    m_dropped = true;
    m_highlight = m_listIndex;
    m_top = 0;
    ensureVisible(m_highlight);
}

bool ComboBoxList::close(bool accept) {
    if (!m_dropped) return false;
    m_dropped = false;
    const int chosen = m_highlight;
    m_highlight = -1;
    return accept && chosen >= 0 ? setListIndex(chosen) : false;
}

void ComboBoxList::scroll(int rows) {
    m_top = std::clamp(m_top + rows, 0, std::max(0, listCount() - m_rows));
}

bool ComboBoxList::clickRow(int row) {
    if (!m_dropped) return false;
    const int index = m_top + row;
    if (row < 0 || index >= listCount()) return close(false);
    m_highlight = index;
    return close(true);
}

int ComboBoxList::moved(int from, unsigned vk) const {
    const int last = listCount() - 1;
    switch (vk) {
        case VK_UP:
            return std::max(0, from - 1);
        case VK_DOWN:
            return std::min(last, from + 1);
        case VK_PRIOR:
            return std::max(0, from - (m_rows - 1));
        case VK_NEXT:
            return std::min(last, std::max(0, from) + (m_rows - 1));
        case VK_HOME:
            return 0;
        case VK_END:
            return last;
        default:
            return from;
    }
}

bool ComboBoxList::keyDown(unsigned vk, bool alt, bool& handled) {
    handled = true;
    const bool toggle = vk == kVkF4 || (alt && (vk == VK_UP || vk == VK_DOWN));
    const bool movement = vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR || vk == VK_NEXT ||
                          vk == VK_HOME || vk == VK_END;
    if (m_dropped) {
        if (toggle || vk == VK_RETURN) return close(true);
        if (vk == VK_ESCAPE) return close(false);
        if (movement && listCount() > 0) {
            m_highlight = moved(m_highlight, vk);
            ensureVisible(m_highlight);
            return false;
        }
        handled = movement;
        return false;
    }
    if (toggle) {
        open();
        return false;
    }
    const bool textKeys = vk == VK_HOME || vk == VK_END;
    if (movement && !(textKeys && m_style == DropDownCombo)) {
        if (listCount() == 0) return false;
        return setListIndex(moved(m_listIndex, vk));
    }
    handled = false;
    return false;
}

bool ComboBoxList::typeChar(char c) {
    if (m_style != DropDownList || listCount() == 0) return false;
    const int current = m_dropped ? m_highlight : m_listIndex;
    for (int step = 1; step <= listCount(); ++step) {
        const int index = (current + step + listCount()) % listCount();
        const std::string& item = m_items[static_cast<std::size_t>(index)];
        if (!item.empty() && lower(item.front()) == lower(c)) {
            if (m_dropped) {
                m_highlight = index;
                ensureVisible(index);
                return false;
            }
            return setListIndex(index);
        }
    }
    return false;
}

}  // namespace qv::host
