// SPDX-License-Identifier: MIT
// Replay handlers for edges, icons, drawing states, system colours and OLE
// colour translation. Cases that draw with system colours run under the
// colours their file lists ("sys_colors"), restored when the case ends.
#include <memory>

#include "platform/gdi/sys_colors.h"
#include "platform/win32_ole.h"
#include "replay.h"

namespace qv::replay {
namespace {

// Puts the file's (or case's) system colours in effect until the case ends.
void applySysColors(ReplayContext& ctx, const Json* colors) {
    if (colors == nullptr || !colors->is_array()) return;
    auto restorer = std::make_shared<gdi::SysColorsRestorer>();
    ctx.atEnd([restorer]() mutable { restorer.reset(); });
    for (std::size_t i = 0; i < colors->size(); ++i) {
        const Json& entry = colors->at(i);
        const INT index = entry.is_object() ? entry.at("index").get<INT>() : static_cast<INT>(i);
        const COLORREF value = parseColor(entry.is_object() ? entry.at("value") : entry);
        SetSysColors(1, &index, &value);
    }
}

Json rectJson(const RECT& r) {
    return Json::array({r.left, r.top, r.right, r.bottom});
}

// The calls of one DrawEdge case: its `edge_calls`, else the case itself.
std::vector<Json> edgeCalls(const Json& call) {
    std::vector<Json> out;
    if (call.contains("edge_calls") && call["edge_calls"].is_array()) {
        for (const Json& c : call["edge_calls"]) out.push_back(c);
    } else {
        out.push_back(call);
    }
    return out;
}

// Draws the case's edges on `dc` starting from `rect`; returns each call's
// result and leaves `rect` as the calls left it.
Json drawEdges(HDC dc, RECT& rect, const std::vector<Json>& calls) {
    Json results = Json::array();
    for (const Json& c : calls) {
        results.push_back(DrawEdge(dc, &rect, static_cast<UINT>(parseConstant(c.at("edge"))),
                                   parseHex(c.at("flags"))));
    }
    return results;
}

// Repeats the case on a fresh bitmap with every system colour set to its
// probe colour and reads back which system colour each pixel shows (-1 for
// the untouched background).
Json edgeRoles(ReplayContext& ctx, const Json& call, const std::vector<Json>& calls) {
    const Json* probes = ctx.lookup("probe_sys_colors");
    const Json* target = ctx.lookup("target");
    if (probes == nullptr || !probes->is_array() || target == nullptr) return nullptr;
    const SIZE size = parseSize(target->at("size"));
    std::vector<COLORREF> probe;
    for (const Json& p : *probes) probe.push_back(parseColor(p.is_object() ? p.at("value") : p));
    Json roles = Json::array();
    gdi::SysColorsRestorer restore;
    for (std::size_t i = 0; i < probe.size(); ++i) {
        const INT index = static_cast<INT>(i);
        SetSysColors(1, &index, &probe[i]);
    }
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF background = target->contains("prefill") ? parseColor(target->at("prefill")) : 0;
    HBRUSH fill = CreateSolidBrush(background);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc, &all, fill);
    DeleteObject(fill);
    RECT rect = parseRect(call.at("rect"));
    drawEdges(dc, rect, calls);
    for (int y = 0; y < size.cy; ++y) {
        Json row = Json::array();
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            int role = -1;
            for (std::size_t i = 0; i < probe.size() && pixel != background; ++i) {
                if (probe[i] == pixel) {
                    role = static_cast<int>(i);
                    break;
                }
            }
            row.push_back(role);
        }
        roles.push_back(row);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return roles;
}

QV_REPLAY_API(DrawEdge, [](const Json& call, ReplayContext& ctx) {
    applySysColors(ctx, ctx.lookup("sys_colors"));
    const std::vector<Json> calls = edgeCalls(call);
    if (call.contains("roles")) ctx.record("roles", edgeRoles(ctx, call, calls));
    RECT rect = parseRect(call.at("rect"));
    Json results = drawEdges(ctx.dc(call), rect, calls);
    ctx.record("rect_after", rectJson(rect));
    return CallResult::of(results.size() == 1 ? results[0] : results);
});

// The icon a descriptor describes; its bits are the case's or file's
// `icon_mask_rows` and `icon_color_pixels`.
QV_REPLAY_API(CreateIconIndirect, [](const Json& call, ReplayContext& ctx) {
    const SIZE size = parseSize(call.at("size"));
    const Json* maskRows = ctx.lookup("icon_mask_rows");
    const Json* colorPixels = ctx.lookup("icon_color_pixels");
    if (maskRows == nullptr) throw ReplayError("the icon has no icon_mask_rows");
    HBITMAP mask = ctx.bitmap(Json{
        {"kind", "mono_ddb"}, {"size", {{"w", size.cx}, {"h", size.cy}}}, {"bits", *maskRows}});
    HBITMAP color = nullptr;
    if (colorPixels != nullptr) {
        color = ctx.bitmap(Json{{"kind", "color_ddb"},
                                {"size", {{"w", size.cx}, {"h", size.cy}}},
                                {"pixels", *colorPixels}});
    }
    POINT hotspot{0, 0};
    if (call.contains("hotspot")) hotspot = parsePoint(call["hotspot"]);
    ICONINFO info{call.value("fIcon", true) ? TRUE : FALSE, static_cast<DWORD>(hotspot.x),
                  static_cast<DWORD>(hotspot.y), mask, color};
    HICON icon = CreateIconIndirect(&info);
    if (icon != nullptr) ctx.atEnd([icon] { DestroyIcon(icon); });
    return CallResult::made(icon);
});

HICON caseIcon(ReplayContext& ctx) {
    return static_cast<HICON>(ctx.object(Json("icon")));
}

QV_REPLAY_API(DrawIcon, [](const Json& call, ReplayContext& ctx) {
    const POINT at = parsePoint(call.at("position"));
    return CallResult::of(DrawIcon(ctx.dc(call), at.x, at.y, caseIcon(ctx)));
});

QV_REPLAY_API(DrawIconEx, [](const Json& call, ReplayContext& ctx) {
    const POINT at = parsePoint(call.at("position"));
    const SIZE size = call.contains("size") ? parseSize(call["size"]) : SIZE{0, 0};
    const UINT step = call.value("step", 0u);
    HBRUSH brush =
        call.contains("flicker_free_brush") ? ctx.brush(call["flicker_free_brush"]) : nullptr;
    return CallResult::of(DrawIconEx(ctx.dc(call), at.x, at.y, caseIcon(ctx), size.cx, size.cy,
                                     step, brush, parseHex(call.at("flags"))));
});

QV_REPLAY_API(DrawStateA, [](const Json& call, ReplayContext& ctx) {
    applySysColors(ctx, ctx.lookup("sys_colors"));
    if (call.contains("output_func") && !call["output_func"].is_null()) {
        throw ReplayError("output procedures cannot be replayed");
    }
    const std::string image = call.at("image").get<std::string>();
    LPARAM data = 0;
    if (image == "icon") {
        data = reinterpret_cast<LPARAM>(caseIcon(ctx));
    } else {
        Json descriptor = *ctx.lookup(image);
        if (const Json* pixels = ctx.lookup(image + "_pixels")) descriptor["pixels"] = *pixels;
        data = reinterpret_cast<LPARAM>(ctx.bitmap(descriptor));
    }
    HBRUSH brush = nullptr;
    if (call.contains("brush_color")) {
        brush = CreateSolidBrush(parseColor(call["brush_color"]));
        ctx.own(brush);
    }
    const POINT at = parsePoint(call.at("position"));
    const SIZE size = call.contains("size") ? parseSize(call["size"]) : SIZE{0, 0};
    const WPARAM wData = call.value("wdata", static_cast<WPARAM>(0));
    return CallResult::of(DrawStateA(ctx.dc(call), brush, nullptr, data, wData, at.x, at.y, size.cx,
                                     size.cy, parseHex(call.at("flags"))));
});

QV_REPLAY_API(GetSysColor, [](const Json& call, ReplayContext&) {
    return CallResult::of(GetSysColor(static_cast<int>(parseConstant(call.at("index")))));
});

// One OleTranslateColor case runs once per palette the file names (`hpal`),
// recording {hresult, out} under that palette's key.
QV_REPLAY_API(OleTranslateColor, [](const Json& call, ReplayContext& ctx) {
    applySysColors(ctx, ctx.lookup("sys_colors"));
    const OLE_COLOR input = parseHex(call.at("input"));
    const Json* preset = ctx.lookup("out_preset");
    const COLORREF start = preset != nullptr ? parseColor(*preset) : 0xCCCCCCCC;
    Json palettes = Json::object();
    if (const Json* hpal = ctx.lookup("hpal"); hpal != nullptr && hpal->is_object()) {
        palettes = *hpal;
    } else {
        palettes["hpal_null"] = nullptr;
    }
    Json last;
    for (auto& [key, descriptor] : palettes.items()) {
        HPALETTE palette = static_cast<HPALETTE>(ctx.object(descriptor));
        COLORREF out = start;
        const HRESULT hr = OleTranslateColor(input, palette, &out);
        last = Json{{"hresult", static_cast<std::uint32_t>(hr)}, {"out", out}};
        ctx.record(key, last);
    }
    return CallResult::of(last.is_null() ? Json() : last["hresult"]);
});

}  // namespace
}  // namespace qv::replay
