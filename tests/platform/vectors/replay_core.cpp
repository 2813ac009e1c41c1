// SPDX-License-Identifier: MIT
// Replay handlers for the core GDI calls: object creation and selection, DC
// state, blits, pixels, lines, rectangles, palettes and queries.
#include "replay.h"

namespace qv::replay {
namespace {

Json colorResult(COLORREF c) {
    return Json(static_cast<long long>(c));
}

Json pointResult(const POINT& p) {
    return Json::array({p.x, p.y});
}

// The object a call names under `key` (a descriptor, a case key or null).
HGDIOBJ objectArg(const Json& call, ReplayContext& ctx, const char* key) {
    return ctx.object(call.at(key));
}

// ---- Objects -----------------------------------------------------------

QV_REPLAY_API(CreatePen, [](const Json& call, ReplayContext&) {
    return CallResult::made(CreatePen(static_cast<int>(parseConstant(call.at("style"))),
                                      call.value("width", 1), parseColor(call.at("color"))));
});

QV_REPLAY_API(CreateSolidBrush, [](const Json& call, ReplayContext&) {
    return CallResult::made(CreateSolidBrush(parseColor(call.at("color"))));
});

QV_REPLAY_API(CreatePatternBrush, [](const Json& call, ReplayContext& ctx) {
    return CallResult::made(
        CreatePatternBrush(static_cast<HBITMAP>(ctx.object(call.at("bitmap")))));
});

QV_REPLAY_API(CreateHalftonePalette, [](const Json& call, ReplayContext& ctx) {
    HDC dc = call.contains("dc") ? ctx.namedDc(call["dc"].get<std::string>()) : nullptr;
    return CallResult::made(CreateHalftonePalette(dc));
});

QV_REPLAY_API(SelectObject, [](const Json& call, ReplayContext& ctx) {
    HGDIOBJ object = objectArg(call, ctx, "object");
    return CallResult::of(SelectObject(ctx.dc(call), object) != nullptr ? 1 : 0);
});

QV_REPLAY_API(SelectPalette, [](const Json& call, ReplayContext& ctx) {
    auto palette = static_cast<HPALETTE>(objectArg(call, ctx, "palette"));
    const BOOL force = call.value("force_background", false) ? TRUE : FALSE;
    return CallResult::of(SelectPalette(ctx.dc(call), palette, force) != nullptr ? 1 : 0);
});

QV_REPLAY_API(RealizePalette, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(RealizePalette(ctx.dc(call)));
});

QV_REPLAY_API(GetNearestColor, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(colorResult(GetNearestColor(ctx.dc(call), parseColor(call.at("color")))));
});

QV_REPLAY_API(GetPaletteEntries, [](const Json& call, ReplayContext& ctx) {
    auto palette = static_cast<HPALETTE>(objectArg(call, ctx, "palette"));
    return CallResult::of(GetPaletteEntries(palette, 0, 0, nullptr));
});

QV_REPLAY_API(SetDIBColorTable, [](const Json& call, ReplayContext& ctx) {
    std::vector<RGBQUAD> quads;
    for (const Json& c : call.at("colors")) {
        const COLORREF color = parseColor(c);
        quads.push_back(RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0});
    }
    const UINT start = call.value("start", 0u);
    return CallResult::of(
        SetDIBColorTable(ctx.dc(call), start, static_cast<UINT>(quads.size()), quads.data()));
});

// ---- DC state ----------------------------------------------------------

QV_REPLAY_API(SetBkColor, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(colorResult(SetBkColor(ctx.dc(call), parseColor(call.at("color")))));
});
QV_REPLAY_API(SetTextColor, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(colorResult(SetTextColor(ctx.dc(call), parseColor(call.at("color")))));
});
QV_REPLAY_API(SetBkMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(
        SetBkMode(ctx.dc(call), static_cast<int>(parseConstant(call.at("mode")))));
});
QV_REPLAY_API(SetROP2, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(SetROP2(ctx.dc(call), static_cast<int>(parseConstant(call.at("rop2")))));
});
QV_REPLAY_API(SetStretchBltMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(
        SetStretchBltMode(ctx.dc(call), static_cast<int>(parseConstant(call.at("mode")))));
});
QV_REPLAY_API(SetBrushOrgEx, [](const Json& call, ReplayContext& ctx) {
    const POINT p = parsePoint(call.contains("point") ? call["point"] : call.at("origin"));
    return CallResult::of(SetBrushOrgEx(ctx.dc(call), p.x, p.y, nullptr));
});
QV_REPLAY_API(SetViewportOrgEx, [](const Json& call, ReplayContext& ctx) {
    const POINT p = parsePoint(call.at("point"));
    return CallResult::of(SetViewportOrgEx(ctx.dc(call), p.x, p.y, nullptr));
});

QV_REPLAY_API(GetBkColor, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(colorResult(GetBkColor(ctx.dc(call))));
});
QV_REPLAY_API(GetTextColor, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(colorResult(GetTextColor(ctx.dc(call))));
});
QV_REPLAY_API(GetBkMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetBkMode(ctx.dc(call)));
});
QV_REPLAY_API(GetROP2, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetROP2(ctx.dc(call)));
});
QV_REPLAY_API(GetMapMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetMapMode(ctx.dc(call)));
});
QV_REPLAY_API(GetStretchBltMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetStretchBltMode(ctx.dc(call)));
});
QV_REPLAY_API(GetPolyFillMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetPolyFillMode(ctx.dc(call)));
});
QV_REPLAY_API(GetTextAlign, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetTextAlign(ctx.dc(call)));
});
QV_REPLAY_API(GetGraphicsMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(GetGraphicsMode(ctx.dc(call)));
});
QV_REPLAY_API(GetWindowOrgEx, [](const Json& call, ReplayContext& ctx) {
    POINT p{};
    GetWindowOrgEx(ctx.dc(call), &p);
    return CallResult::of(pointResult(p));
});
QV_REPLAY_API(SetPolyFillMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(
        SetPolyFillMode(ctx.dc(call), static_cast<int>(parseConstant(call.at("mode")))));
});
QV_REPLAY_API(SetTextAlign, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(
        SetTextAlign(ctx.dc(call), static_cast<UINT>(parseConstant(call.at("align")))));
});
QV_REPLAY_API(SetGraphicsMode, [](const Json& call, ReplayContext& ctx) {
    return CallResult::of(
        SetGraphicsMode(ctx.dc(call), static_cast<int>(parseConstant(call.at("mode")))));
});
QV_REPLAY_API(SetWindowOrgEx, [](const Json& call, ReplayContext& ctx) {
    const POINT p = parsePoint(call.at("point"));
    return CallResult::of(SetWindowOrgEx(ctx.dc(call), p.x, p.y, nullptr));
});
QV_REPLAY_API(GetBrushOrgEx, [](const Json& call, ReplayContext& ctx) {
    POINT p{};
    GetBrushOrgEx(ctx.dc(call), &p);
    return CallResult::of(pointResult(p));
});
QV_REPLAY_API(GetViewportOrgEx, [](const Json& call, ReplayContext& ctx) {
    POINT p{};
    GetViewportOrgEx(ctx.dc(call), &p);
    return CallResult::of(pointResult(p));
});
QV_REPLAY_API(GetDeviceCaps, [](const Json& call, ReplayContext& ctx) {
    const int value =
        GetDeviceCaps(ctx.dc(call), static_cast<int>(parseConstant(call.at("index"))));
    if (call.contains("bit")) return CallResult::of((value & parseConstant(call["bit"])) != 0);
    return CallResult::of(value);
});
QV_REPLAY_API(GetCurrentObject, [](const Json& call, ReplayContext& ctx) {
    HGDIOBJ current =
        GetCurrentObject(ctx.dc(call), static_cast<UINT>(parseConstant(call.at("type"))));
    if (call.contains("equals_stock_object")) {
        const int stock = static_cast<int>(parseConstant(call["equals_stock_object"]));
        return CallResult::of(current != nullptr && current == GetStockObject(stock));
    }
    return CallResult::of(current != nullptr ? 1 : 0);
});
QV_REPLAY_API(GdiFlush, [](const Json&, ReplayContext&) { return CallResult::of(GdiFlush()); });

// GetObject of a bitmap: the BITMAP fields, by name.
QV_REPLAY_API(GetObject, [](const Json& call, ReplayContext& ctx) {
    const Json& target = call.contains("bitmap") ? call["bitmap"] : call.at("object");
    HGDIOBJ object = ctx.object(target);
    BITMAP bm{};
    const int got = GetObjectA(object, sizeof(bm), &bm);
    ctx.record("GetObject_return", got);
    ctx.record("bmType", bm.bmType);
    ctx.record("bmWidth", bm.bmWidth);
    ctx.record("bmHeight", bm.bmHeight);
    ctx.record("bmWidthBytes", bm.bmWidthBytes);
    ctx.record("bmPlanes", bm.bmPlanes);
    ctx.record("bmBitsPixel", bm.bmBitsPixel);
    ctx.record("bmBits_non_null", bm.bmBits != nullptr);
    return CallResult::of(got);
});

// ---- Pixels ------------------------------------------------------------

QV_REPLAY_API(SetPixel, [](const Json& call, ReplayContext& ctx) {
    HDC dc = ctx.dc(call);
    if (call.contains("dc_bk_color")) SetBkColor(dc, parseColor(call["dc_bk_color"]));
    const POINT p = parsePoint(call.at("point"));
    const COLORREF result = SetPixel(dc, p.x, p.y, parseColor(call.at("color")));
    ctx.record("GetPixel", colorResult(GetPixel(dc, p.x, p.y)));
    return CallResult::of(colorResult(result));
});

// GetPixel of one point, or (without a point) of every pixel of the DC's
// bitmap, recorded as the case's value grid.
QV_REPLAY_API(GetPixel, [](const Json& call, ReplayContext& ctx) {
    HDC dc = ctx.dc(call);
    if (call.contains("point")) {
        const POINT p = parsePoint(call["point"]);
        return CallResult::of(colorResult(GetPixel(dc, p.x, p.y)));
    }
    BITMAP bm{};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm);
    Json grid = Json::array();
    for (int y = 0; y < bm.bmHeight; ++y) {
        Json row = Json::array();
        for (int x = 0; x < bm.bmWidth; ++x) row.push_back(colorText(GetPixel(dc, x, y)));
        grid.push_back(row);
    }
    ctx.record("value", grid);
    return CallResult::of(1);
});

// ---- Blits and shapes --------------------------------------------------

QV_REPLAY_API(BitBlt, [](const Json& call, ReplayContext& ctx) {
    const POINT d = parsePoint(call.at("dest_point"));
    const SIZE s = parseSize(call.at("size"));
    const POINT sp = call.contains("src_point") ? parsePoint(call["src_point"]) : POINT{0, 0};
    HDC src = call.contains("src_dc") && !call["src_dc"].is_null()
                  ? ctx.namedDc(call["src_dc"].get<std::string>())
                  : nullptr;
    return CallResult::of(
        BitBlt(ctx.dc(call), d.x, d.y, s.cx, s.cy, src, sp.x, sp.y, parseHex(call.at("rop"))));
});

QV_REPLAY_API(StretchBlt, [](const Json& call, ReplayContext& ctx) {
    const POINT d = parsePoint(call.at("dest_point"));
    const SIZE ds = parseSize(call.contains("dest_size") ? call["dest_size"] : call.at("size"));
    const POINT sp = parsePoint(call.at("src_point"));
    const SIZE ss = parseSize(call.contains("src_size") ? call["src_size"] : call.at("size"));
    HDC src = ctx.namedDc(call.at("src_dc").get<std::string>());
    return CallResult::of(StretchBlt(ctx.dc(call), d.x, d.y, ds.cx, ds.cy, src, sp.x, sp.y, ss.cx,
                                     ss.cy, parseHex(call.at("rop"))));
});

QV_REPLAY_API(PatBlt, [](const Json& call, ReplayContext& ctx) {
    const RECT r = parseRect(call.at("rect"));
    return CallResult::of(PatBlt(ctx.dc(call), r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 parseHex(call.at("rop"))));
});

QV_REPLAY_API(FillRect, [](const Json& call, ReplayContext& ctx) {
    const RECT r = parseRect(call.at("rect"));
    return CallResult::of(FillRect(ctx.dc(call), &r, ctx.brush(call.at("brush"))));
});

QV_REPLAY_API(FrameRect, [](const Json& call, ReplayContext& ctx) {
    const RECT r = parseRect(call.at("rect"));
    return CallResult::of(FrameRect(ctx.dc(call), &r, ctx.brush(call.at("brush"))));
});

QV_REPLAY_API(Rectangle, [](const Json& call, ReplayContext& ctx) {
    const RECT r = parseRect(call.at("rect"));
    return CallResult::of(Rectangle(ctx.dc(call), r.left, r.top, r.right, r.bottom));
});

QV_REPLAY_API(MoveToEx, [](const Json& call, ReplayContext& ctx) {
    const POINT p = parsePoint(call.at("point"));
    return CallResult::of(MoveToEx(ctx.dc(call), p.x, p.y, nullptr));
});

QV_REPLAY_API(LineTo, [](const Json& call, ReplayContext& ctx) {
    const POINT p = parsePoint(call.at("point"));
    return CallResult::of(LineTo(ctx.dc(call), p.x, p.y));
});

}  // namespace
}  // namespace qv::replay

namespace qv::replay {
namespace {

QV_REPLAY_API(CreateBitmap, [](const Json& call, ReplayContext& ctx) {
    return CallResult::made(ctx.bitmap(call));
});
QV_REPLAY_API(CreateCompatibleBitmap, [](const Json& call, ReplayContext& ctx) {
    return CallResult::made(ctx.bitmap(call));
});
QV_REPLAY_API(GetCurrentPositionEx, [](const Json& call, ReplayContext& ctx) {
    POINT p{};
    GetCurrentPositionEx(ctx.dc(call), &p);
    return CallResult::of(Json::array({p.x, p.y}));
});

}  // namespace
}  // namespace qv::replay
