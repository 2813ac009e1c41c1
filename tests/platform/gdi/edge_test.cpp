// SPDX-License-Identifier: MIT
// DrawEdge: the geometry rule against every recorded case's colour roles, the
// painted pixels and the rectangle left behind, and rectangles too small for
// their border.
#include "platform/gdi/edge.h"

#include <gtest/gtest.h>

#include <functional>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/gdi/sys_colors.h"
#include "support/canvas.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"
#include "support/vector_folder.h"

namespace qv::gdi {
namespace {

constexpr COLORREF kMagenta = 0x00FF00FF;

nlohmann::json loadVectors(const std::string& name) {
    std::ifstream in(test::platformVectorFolder() / name);
    if (!in) return nullptr;
    return nlohmann::json::parse(in);
}

UINT hexFlags(const nlohmann::json& v) {
    return std::stoul(v.get<std::string>(), nullptr, 16);
}

// A colour bitmap in its own memory DC, pre-filled.

TEST(Edge, PlanGivesTheRecordedColourRolesAndRectangles) {
    nlohmann::json vectors = loadVectors("draw-edge.json");
    ASSERT_FALSE(vectors.is_null()) << "draw-edge.json not found";
    int cases = 0;
    for (const char* section : {"single", "pairs"}) {
        for (const auto& c : vectors[section]) {
            const auto& r = c["rect"];
            RECT rc{r["left"], r["top"], r["right"], r["bottom"]};
            const int h = static_cast<int>(c["roles"].size());
            const int w = static_cast<int>(c["roles"][0].size());
            std::vector<int> roles(static_cast<std::size_t>(w * h), -1);
            std::string calls;
            for (const auto& call : c["edge_calls"]) {
                const UINT edge = call["edge"].get<UINT>();
                const UINT flags = hexFlags(call["flags"]);
                calls += std::to_string(edge) + "/" + call["flags"].get<std::string>() + " ";
                EdgePlan plan = planEdge(rc, edge, flags);
                for (const EdgeSegment& s : plan.segments)
                    for (LONG y = s.rect.top; y < s.rect.bottom; ++y)
                        for (LONG x = s.rect.left; x < s.rect.right; ++x)
                            roles[static_cast<std::size_t>(y * w + x)] = s.role;
                rc = plan.adjusted;
            }
            ++cases;
            EXPECT_EQ(rc.left, c["rect_after"][0]) << calls;
            EXPECT_EQ(rc.top, c["rect_after"][1]) << calls;
            EXPECT_EQ(rc.right, c["rect_after"][2]) << calls;
            EXPECT_EQ(rc.bottom, c["rect_after"][3]) << calls;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(roles[static_cast<std::size_t>(y * w + x)], c["roles"][y][x])
                        << calls << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(cases, 78);
}

// The drawn colours follow the system colour table in effect, whatever it is.
TEST(Edge, PaintsTheSystemColoursInEffect) {
    qv::test::GdiLeakGuard leaks;
    {
        SysColorsRestorer restore;
        const INT indices[] = {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,
                               COLOR_BTNFACE};
        const COLORREF colors[] = {0x00000011, 0x00000022, 0x00000033, 0x00000044, 0x00000055};
        SetSysColors(5, indices, colors);
        qv::test::Canvas canvas = qv::test::Canvas::color(10, 8, kMagenta);
        RECT rc{1, 1, 9, 7};
        ASSERT_TRUE(DrawEdge(canvas.dc(), &rc, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
        const struct {
            int x, y;
            COLORREF expected;
        } probes[] = {{0, 0, kMagenta}, {1, 1, 0x11}, {8, 1, 0x22}, {1, 6, 0x22},    {2, 2, 0x33},
                      {7, 2, 0x44},     {2, 5, 0x44}, {4, 3, 0x55}, {9, 7, kMagenta}};
        for (const auto& p : probes) {
            EXPECT_EQ(GetPixel(canvas.dc(), p.x, p.y), p.expected)
                << "at " << p.x << "," << p.y << ", image "
                << qv::test::dumpPixels(qv::test::readPixels(canvas.dc(), 10, 8), "edge_colours");
        }
        EXPECT_EQ(rc.left, 3);
        EXPECT_EQ(rc.bottom, 5);
    }
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), defaultSysColors()[COLOR_3DLIGHT]);
}

// Rectangles smaller than their border, empty or inverted, never paint outside
// themselves; BF_DIAGONAL and missing arguments are refused.
TEST(Edge, DegenerateRectanglesStayInside) {
    qv::test::GdiLeakGuard leaks;
    const RECT rects[] = {{3, 3, 3, 3}, {3, 3, 4, 4}, {3, 3, 5, 4}, {6, 5, 3, 3}, {3, 3, 6, 3}};
    for (const RECT& r : rects) {
        for (UINT edge : {BDR_RAISEDOUTER, EDGE_SUNKEN}) {
            qv::test::Canvas canvas = qv::test::Canvas::color(10, 8, kMagenta);
            RECT rc = r;
            EXPECT_TRUE(DrawEdge(canvas.dc(), &rc, edge, BF_RECT | BF_MIDDLE));
            for (int y = 0; y < 8; ++y)
                for (int x = 0; x < 10; ++x) {
                    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    if (!inside) {
                        ASSERT_EQ(GetPixel(canvas.dc(), x, y), kMagenta)
                            << "rect " << r.left << "," << r.top << "," << r.right << ","
                            << r.bottom << " edge " << edge << " at " << x << "," << y;
                    }
                }
        }
    }
    {
        // Rectangles at the ends of the coordinate range: nothing overflows.
        const RECT extremes[] = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                                 {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN},
                                 {INT32_MAX - 1, 0, INT32_MAX, 4}};
        for (const RECT& r : extremes) {
            qv::test::Canvas canvas = qv::test::Canvas::color(4, 4, kMagenta);
            RECT rc = r;
            EXPECT_TRUE(DrawEdge(canvas.dc(), &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST));
        }
        qv::test::Canvas canvas = qv::test::Canvas::color(4, 4, kMagenta);
        RECT rc{0, 0, 4, 4};
        EXPECT_FALSE(DrawEdge(canvas.dc(), &rc, EDGE_RAISED, BF_RECT | BF_DIAGONAL));
        EXPECT_FALSE(DrawEdge(canvas.dc(), nullptr, EDGE_RAISED, BF_RECT));
        EXPECT_FALSE(DrawEdge(nullptr, &rc, EDGE_RAISED, BF_RECT));
        EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), kMagenta);
    }
}

}  // namespace
}  // namespace qv::gdi
