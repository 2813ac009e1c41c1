// SPDX-License-Identifier: MIT
// GetSystemMetrics over a fixed table: the software GDI has one screen and no
// user settings.
#include "platform/gdi/sys_metrics.h"

namespace {

struct Metric {
    int index;
    int value;
};

constexpr Metric kMetrics[] = {
    {SM_CXSCREEN, 1024}, {SM_CYSCREEN, 768},  {SM_CXVSCROLL, 17},  {SM_CYHSCROLL, 17},
    {SM_CYCAPTION, 18},  {SM_CXBORDER, 1},    {SM_CYBORDER, 1},    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},  {SM_CXICON, 32},     {SM_CYICON, 32},     {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},   {SM_CXDOUBLECLK, 4}, {SM_CYDOUBLECLK, 4}, {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},      {SM_CXSMICON, 16},   {SM_CYSMICON, 16},   {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
};

}  // namespace

int GetSystemMetrics(int nIndex) {
    for (const Metric& m : kMetrics) {
        if (m.index == nIndex) return m.value;
    }
    return 0;  // unknown metrics read as 0, as the real call does
}
