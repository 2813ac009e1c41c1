// SPDX-License-Identifier: MIT
// Replaying recorded platform vectors: the registry of API handlers and the
// context a handler runs in. A handler is registered by API name from any .cpp
// file of this folder:
//
//     QV_REPLAY_API(FillRect, [](const Json& call, ReplayContext& ctx) {
//         RECT r = ctx.rect(call.at("rect"));
//         return CallResult::of(FillRect(ctx.dc(call), &r, ctx.brush(call.at("brush"))));
//     });
//
// A case whose calls (or object descriptors) name an API without a handler is
// reported as skipped, naming that API.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/win32_gdi.h"

namespace qv::replay {

using Json = nlohmann::json;

// What a call gave back: its return value (compared with the case's `return`
// or named `result`) and, for creating calls, the handle made.
struct CallResult {
    Json value;
    void* handle = nullptr;

    static CallResult of(Json v) { return CallResult{std::move(v), nullptr}; }
    static CallResult made(void* h) { return CallResult{Json(h != nullptr ? 1 : 0), h}; }
};

class ReplayContext;
using ApiHandler = std::function<CallResult(const Json& call, ReplayContext& ctx)>;

// Registers `handler` for the API `name` (a later registration replaces it).
void registerApi(const std::string& name, ApiHandler handler);
// The handler for `name`, or nullptr.
const ApiHandler* findApi(const std::string& name);

struct ApiRegistrar {
    ApiRegistrar(const char* name, ApiHandler handler) { registerApi(name, std::move(handler)); }
};

#define QV_REPLAY_CONCAT2(a, b) a##b
#define QV_REPLAY_CONCAT(a, b) QV_REPLAY_CONCAT2(a, b)
#define QV_REPLAY_API(name, ...)                                                            \
    static const ::qv::replay::ApiRegistrar QV_REPLAY_CONCAT(qvReplayApi_, __LINE__)(#name, \
                                                                                     __VA_ARGS__)

// ---- Value parsing (throw ReplayError on malformed input) ----------------

struct ReplayError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "00BBGGRR" (or a number) -> COLORREF.
COLORREF parseColor(const Json& value);
// "0x..." hex strings or numbers -> DWORD (ROPs, flags, HRESULTs).
DWORD parseHex(const Json& value);
// {"left","top","right","bottom"} or [l, t, r, b].
RECT parseRect(const Json& value);
// {"x","y"} or [x, y].
POINT parsePoint(const Json& value);
// {"w","h"} or [w, h].
SIZE parseSize(const Json& value);
// A named constant (BITSPIXEL, OBJ_BITMAP, WHITE_BRUSH, DI_NORMAL, ...) or a
// number; throws for an unknown name.
long long parseConstant(const Json& value);
// Formats a COLORREF as the vectors do ("00BBGGRR").
std::string colorText(COLORREF color);

// ---- The context of one case ---------------------------------------------

class ReplayContext {
  public:
    ReplayContext(const Json& file, const Json& testCase);
    ~ReplayContext();
    ReplayContext(const ReplayContext&) = delete;
    ReplayContext& operator=(const ReplayContext&) = delete;

    const Json& file() const { return m_file; }
    const Json& testCase() const { return *m_case; }
    // The value of `key` in the case, else at file level, else nullptr.
    const Json* lookup(const std::string& key) const;

    // The DC named by call["dc"], else the case's "dc", else "target".
    // Names: "target", "source", "dib", "memory", "screen" (created on first
    // use from the case's and file's descriptors).
    HDC dc(const Json& call);
    HDC namedDc(const std::string& name);
    // True when the named DC exists or can be made for this case.
    bool hasDc(const std::string& name) const;
    // The bitmap selected into a named DC (made on first use).
    HBITMAP dcBitmap(const std::string& name);

    // A bitmap from a descriptor: {"kind","size","prefill","pixels"|"bits",
    // "color_table"} or a creating call {"api": "CreateBitmap"|
    // "CreateCompatibleBitmap"|"GetCurrentObject", ...}. Owned by the context.
    HBITMAP bitmap(const Json& descriptor);
    // An object from a descriptor {"api": "Create...", ...}, a case or file key
    // naming one (e.g. "pattern_bitmap", "halftone" for the file's palette),
    // or null (NULL). Owned by the context.
    HGDIOBJ object(const Json& descriptorOrName);
    HBRUSH brush(const Json& value) { return static_cast<HBRUSH>(object(value)); }

    // Runs cleanup at the end of the case (before DCs are deleted), in
    // reverse order of registration. For handles the context cannot free.
    void atEnd(std::function<void()> cleanup);
    // Takes ownership of a GDI object (DeleteObject at the end).
    void own(HGDIOBJ object);

    // Results a handler records beyond its return value (compared with the
    // case key, or the member of the case's "value", of the same name).
    void record(const std::string& name, Json value);
    const std::map<std::string, Json>& recorded() const { return m_recorded; }

    // Runs one call through its handler (throws ReplayError when none).
    CallResult call(const Json& call);

    // Forgets the "target" DC and its bitmap so the next use makes a new one
    // (sub-cases that reuse the other DCs).
    void resetTarget(const Json& newCase);

  private:
    struct NamedDc {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ previous = nullptr;
        bool screen = false;
    };
    void makeDc(const std::string& name);
    void freeDc(NamedDc& named);
    void fillBitmap(HDC dc, const Json& descriptor, int width, int height);

    const Json& m_file;
    const Json* m_case;
    std::map<std::string, NamedDc> m_dcs;
    std::map<std::string, HGDIOBJ> m_namedObjects;
    std::vector<HGDIOBJ> m_owned;
    std::vector<std::function<void()>> m_cleanups;
    std::map<std::string, Json> m_recorded;
};

}  // namespace qv::replay
