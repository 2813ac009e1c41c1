// SPDX-License-Identifier: MIT
// The per-case context: named DCs and the bitmaps and objects the case's
// descriptors ask for, all freed when the case ends.
#include <algorithm>

#include "replay.h"

namespace qv::replay {
namespace {

const Json* find(const Json& object, const std::string& key) {
    if (!object.is_object()) return nullptr;
    auto it = object.find(key);
    return it != object.end() ? &*it : nullptr;
}

// Bits of a bit grid ("0101...") as WORD-aligned rows (CreateBitmap layout)
// or DWORD-aligned rows (DIB layout).
std::vector<BYTE> packBits(const Json& grid, int width, int height, int align) {
    const std::size_t stride =
        (static_cast<std::size_t>(width) + align * 8 - 1) / (align * 8) * align;
    std::vector<BYTE> bits(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height && y < static_cast<int>(grid.size()); ++y) {
        const std::string row = grid.at(y).get<std::string>();
        for (int x = 0; x < width && x < static_cast<int>(row.size()); ++x) {
            if (row[x] == '1') bits[y * stride + x / 8] |= static_cast<BYTE>(0x80u >> (x % 8));
        }
    }
    return bits;
}

}  // namespace

ReplayContext::ReplayContext(const Json& file, const Json& testCase)
    : m_file(file), m_case(&testCase) {}

ReplayContext::~ReplayContext() {
    for (auto it = m_cleanups.rbegin(); it != m_cleanups.rend(); ++it) (*it)();
    for (auto& [name, named] : m_dcs) freeDc(named);
    for (auto it = m_owned.rbegin(); it != m_owned.rend(); ++it) DeleteObject(*it);
}

const Json* ReplayContext::lookup(const std::string& key) const {
    if (const Json* value = find(*m_case, key)) return value;
    return find(m_file, key);
}

void ReplayContext::atEnd(std::function<void()> cleanup) {
    m_cleanups.push_back(std::move(cleanup));
}

void ReplayContext::own(HGDIOBJ object) {
    if (object != nullptr && std::find(m_owned.begin(), m_owned.end(), object) == m_owned.end()) {
        m_owned.push_back(object);
    }
}

void ReplayContext::record(const std::string& name, Json value) {
    m_recorded[name] = std::move(value);
}

CallResult ReplayContext::call(const Json& callJson) {
    const std::string api = callJson.at("api").get<std::string>();
    const ApiHandler* handler = findApi(api);
    if (handler == nullptr) throw ReplayError("no handler for API " + api);
    return (*handler)(callJson, *this);
}

HDC ReplayContext::dc(const Json& callJson) {
    if (const Json* name = find(callJson, "dc")) return namedDc(name->get<std::string>());
    if (const Json* name = find(*m_case, "dc")) return namedDc(name->get<std::string>());
    return namedDc("target");
}

bool ReplayContext::hasDc(const std::string& name) const {
    if (m_dcs.count(name) != 0 || name == "screen" || name == "memory") return true;
    if (name == "source") return lookup("source") != nullptr;
    return find(*m_case, name) != nullptr;
}

HDC ReplayContext::namedDc(const std::string& name) {
    if (m_dcs.count(name) == 0) makeDc(name);
    return m_dcs.at(name).dc;
}

HBITMAP ReplayContext::dcBitmap(const std::string& name) {
    namedDc(name);
    return static_cast<HBITMAP>(GetCurrentObject(m_dcs.at(name).dc, OBJ_BITMAP));
}

void ReplayContext::makeDc(const std::string& name) {
    NamedDc named;
    if (name == "screen") {
        named.dc = GetDC(nullptr);
        named.screen = true;
        m_dcs[name] = named;
        return;
    }
    HDC screen = GetDC(nullptr);
    named.dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_dcs[name] = named;  // registered first: descriptors may refer to this DC
    const Json* descriptor = nullptr;
    if (name == "memory") {
        descriptor = find(*m_case, "bitmap");
        // The DC's own default bitmap needs no selection.
        if (descriptor != nullptr && find(*descriptor, "api") != nullptr &&
            (*descriptor)["api"] == "GetCurrentObject") {
            descriptor = nullptr;
        }
        if (descriptor == nullptr) return;
    } else {
        descriptor = lookup(name);
        if (descriptor == nullptr) throw ReplayError("the case describes no DC named " + name);
    }
    HBITMAP bitmap = this->bitmap(*descriptor);
    if (bitmap == nullptr) throw ReplayError("could not create the bitmap of DC " + name);
    NamedDc& stored = m_dcs[name];
    stored.bitmap = bitmap;
    stored.previous = SelectObject(stored.dc, bitmap);
    if (stored.previous == nullptr) throw ReplayError("could not select the bitmap of DC " + name);
    // Pixels the file gives for this DC's bitmap.
    const SIZE size = parseSize(descriptor->at("size"));
    if (name == "source") {
        if (const Json* grid = lookup("source_pixels")) {
            for (int y = 0; y < static_cast<int>(grid->size()); ++y) {
                for (int x = 0; x < static_cast<int>(grid->at(y).size()); ++x) {
                    SetPixel(stored.dc, x, y, parseColor(grid->at(y).at(x)));
                }
            }
        }
        if (const Json* bits = lookup("source_bits")) {
            const auto packed = packBits(*bits, size.cx, size.cy, 2);
            SetBitmapBits(bitmap, static_cast<DWORD>(packed.size()), packed.data());
        }
    } else if (name == "target" && find(*descriptor, "prefill") == nullptr) {
        if (const Json* grid = lookup("destination_before")) {
            for (int y = 0; y < static_cast<int>(grid->size()); ++y) {
                for (int x = 0; x < static_cast<int>(grid->at(y).size()); ++x) {
                    SetPixel(stored.dc, x, y, parseColor(grid->at(y).at(x)));
                }
            }
        }
    }
}

void ReplayContext::freeDc(NamedDc& named) {
    if (named.dc == nullptr) return;
    if (named.screen) {
        ReleaseDC(nullptr, named.dc);
    } else {
        if (named.previous != nullptr) SelectObject(named.dc, named.previous);
        DeleteDC(named.dc);
    }
    named = NamedDc{};
}

void ReplayContext::resetTarget(const Json& newCase) {
    auto it = m_dcs.find("target");
    if (it != m_dcs.end()) {
        freeDc(it->second);
        m_dcs.erase(it);
    }
    m_case = &newCase;
    m_recorded.clear();
}

void ReplayContext::fillBitmap(HDC dc, const Json& descriptor, int width, int height) {
    if (const Json* prefill = find(descriptor, "prefill")) {
        HBRUSH brush = CreateSolidBrush(parseColor(*prefill));
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    if (const Json* grid = find(descriptor, "pixels")) {
        for (int y = 0; y < static_cast<int>(grid->size()); ++y) {
            for (int x = 0; x < static_cast<int>(grid->at(y).size()); ++x) {
                SetPixel(dc, x, y, parseColor(grid->at(y).at(x)));
            }
        }
    }
}

HBITMAP ReplayContext::bitmap(const Json& descriptor) {
    HBITMAP made = nullptr;
    SIZE size{0, 0};
    if (const Json* s = find(descriptor, "size")) size = parseSize(*s);
    if (const Json* api = find(descriptor, "api")) {
        const std::string name = api->get<std::string>();
        if (name == "GetCurrentObject") {
            const std::string dcName = descriptor.value("dc", std::string("memory"));
            return static_cast<HBITMAP>(GetCurrentObject(namedDc(dcName), OBJ_BITMAP));
        }
        if (name == "CreateCompatibleBitmap") {
            const std::string dcName = descriptor.value("dc", std::string("screen"));
            HDC screen = GetDC(nullptr);
            HDC reference = dcName == "memory" ? CreateCompatibleDC(screen) : screen;
            made = CreateCompatibleBitmap(reference, size.cx, size.cy);
            if (reference != screen) DeleteDC(reference);
            ReleaseDC(nullptr, screen);
        } else if (name == "CreateBitmap") {
            const UINT planes = descriptor.value("planes", 1u);
            const UINT bpp = descriptor.value("bits_per_pixel", 1u);
            std::vector<BYTE> bits;
            if (const Json* grid = find(descriptor, "bits"))
                bits = packBits(*grid, size.cx, size.cy, 2);
            made =
                CreateBitmap(size.cx, size.cy, planes, bpp, bits.empty() ? nullptr : bits.data());
        } else {
            made = static_cast<HBITMAP>(call(descriptor).handle);
        }
    } else {
        const std::string kind = descriptor.at("kind").get<std::string>();
        if (kind == "color_ddb") {
            HDC screen = GetDC(nullptr);
            made = CreateCompatibleBitmap(screen, size.cx, size.cy);
            ReleaseDC(nullptr, screen);
        } else if (kind == "mono_ddb") {
            std::vector<BYTE> bits;
            if (const Json* grid = find(descriptor, "bits"))
                bits = packBits(*grid, size.cx, size.cy, 2);
            made = CreateBitmap(size.cx, size.cy, 1, 1, bits.empty() ? nullptr : bits.data());
        } else if (kind.rfind("dib", 0) == 0) {
            struct {
                BITMAPINFOHEADER header;
                RGBQUAD colors[2];
            } info{};
            info.header.biSize = sizeof(BITMAPINFOHEADER);
            info.header.biWidth = size.cx;
            info.header.biHeight = -size.cy;
            info.header.biPlanes = 1;
            // "dib1", "dib24", "dib32": top-down DIB sections of that depth.
            info.header.biBitCount = static_cast<WORD>(std::stoi(kind.substr(3)));
            info.header.biCompression = BI_RGB;
            const Json table =
                descriptor.value("color_table", Json::array({"00000000", "00FFFFFF"}));
            for (int i = 0; i < 2; ++i) {
                const COLORREF c = parseColor(table.at(i));
                info.colors[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
            }
            void* bits = nullptr;
            made = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
        } else {
            throw ReplayError("unknown bitmap kind " + kind);
        }
    }
    if (made == nullptr) throw ReplayError("bitmap creation failed: " + descriptor.dump());
    own(made);
    if (find(descriptor, "prefill") != nullptr || find(descriptor, "pixels") != nullptr) {
        HDC screen = GetDC(nullptr);
        HDC temp = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(temp, made);
        fillBitmap(temp, descriptor, size.cx, size.cy);
        SelectObject(temp, old);
        DeleteDC(temp);
    }
    return made;
}

HGDIOBJ ReplayContext::object(const Json& value) {
    if (value.is_null()) return nullptr;
    if (value.is_string()) {
        const std::string name = value.get<std::string>();
        auto it = m_namedObjects.find(name);
        if (it != m_namedObjects.end()) return it->second;
        const Json* descriptor = lookup(name);
        // Calls name the file's palette by what it is ("halftone").
        if (descriptor == nullptr) descriptor = find(m_file, "palette");
        if (descriptor == nullptr) throw ReplayError("no object named " + name);
        HGDIOBJ made = object(*descriptor);
        m_namedObjects[name] = made;
        return made;
    }
    if (find(value, "kind") != nullptr) return bitmap(value);
    const std::string api = value.at("api").get<std::string>();
    if (api == "CreateCompatibleBitmap" || api == "CreateBitmap" || api == "GetCurrentObject") {
        return bitmap(value);
    }
    HGDIOBJ made = call(value).handle;
    if (made == nullptr) throw ReplayError("object creation failed: " + value.dump());
    own(made);
    return made;
}

}  // namespace qv::replay
