// SPDX-License-Identifier: MIT
// Stock objects live in the handle table marked as stock, so DeleteObject
// leaves them alone and they do not count as live.
#include "platform/gdi/stock_objects.h"

#include <array>
#include <cstring>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/brush.h"
#include "platform/gdi/handle_table.h"
#include "platform/gdi/logical_font.h"
#include "platform/gdi/palette.h"
#include "platform/gdi/pen.h"

namespace qv::gdi {
namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

LOGFONTA systemLogFont(LONG height, LONG weight, const char* face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

struct StockTable {
    std::array<HGDIOBJ, kStockCount> objects{};
    HBITMAP bitmap = nullptr;

    StockTable() {
        HandleTable& table = HandleTable::instance();
        auto brush = [&](int index, UINT style, COLORREF color) {
            objects[static_cast<std::size_t>(index)] =
                table.insert(std::make_shared<Brush>(style, color), true);
        };
        auto pen = [&](int index, UINT style, COLORREF color) {
            objects[static_cast<std::size_t>(index)] =
                table.insert(std::make_shared<Pen>(style, 1, color), true);
        };
        brush(WHITE_BRUSH, BS_SOLID, 0xFFFFFF);
        brush(LTGRAY_BRUSH, BS_SOLID, 0xC0C0C0);
        brush(GRAY_BRUSH, BS_SOLID, 0x808080);
        brush(DKGRAY_BRUSH, BS_SOLID, 0x404040);
        brush(BLACK_BRUSH, BS_SOLID, 0x000000);
        brush(NULL_BRUSH, BS_NULL, 0);
        pen(WHITE_PEN, PS_SOLID, 0xFFFFFF);
        pen(BLACK_PEN, PS_SOLID, 0x000000);
        pen(NULL_PEN, PS_NULL, 0);
        objects[SYSTEM_FONT] =
            table.insert(std::make_shared<LogicalFont>(systemLogFont(16, FW_BOLD, "System")), true);
        objects[DEFAULT_GUI_FONT] = table.insert(
            std::make_shared<LogicalFont>(systemLogFont(-11, FW_NORMAL, "MS Shell Dlg")), true);
        objects[DEFAULT_PALETTE] =
            table.insert(std::make_shared<Palette>(defaultPaletteEntries()), true);
        bitmap = static_cast<HBITMAP>(table.insert(
            std::make_shared<Bitmap>(Surface::create(PixelFormat::Mono1Ddb, 1, 1), false), true));
    }
};

StockTable& stock() {
    static StockTable table;
    return table;
}

}  // namespace

HGDIOBJ stockObject(int index) {
    if (index < 0 || index >= kStockCount) return nullptr;
    return stock().objects[static_cast<std::size_t>(index)];
}

HBITMAP defaultBitmap() {
    return stock().bitmap;
}

}  // namespace qv::gdi
