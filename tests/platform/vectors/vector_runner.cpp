// SPDX-License-Identifier: MIT
// Finds every case in every *.json file of the vector folder, registers one
// test per case, replays it through the API handlers and compares each
// recorded result with the file. Cases are found by their structured keys:
// an object with an "api" (its own, or the file's) or "calls", and at least
// one recorded result.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "replay.h"
#include "support/gdi_leak_guard.h"
#include "support/pixel_check.h"
#include "support/vector_folder.h"

namespace qv::replay {
namespace {

namespace fs = std::filesystem;

// File-level inputs shared by every case: never cases themselves.
const std::set<std::string> kSharedInputs{"sys_colors",
                                          "probe_sys_colors",
                                          "sys_colors_in_effect",
                                          "source",
                                          "bitmap",
                                          "icon",
                                          "palette",
                                          "hpal",
                                          "destination_before",
                                          "source_pixels",
                                          "source_bits",
                                          "source_getpixel",
                                          "background",
                                          "system_metrics",
                                          "bitmap_pixels",
                                          "icon_mask_rows",
                                          "icon_color_pixels",
                                          "halftone_palette_entries",
                                          "entries_as_colorref"};

// Keys whose values are what a case recorded.
const std::set<std::string> kResultKeys{"pixels",    "value",        "return",        "raw_bits",
                                        "mono_bits", "dib_getpixel", "mono_getpixel", "roles",
                                        "hresult",   "out"};

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool isResultKey(const std::string& key) {
    return kResultKeys.count(key) != 0 || endsWith(key, "_return") || endsWith(key, "_after");
}

bool hasResults(const Json& object, int depth) {
    for (auto& [key, value] : object.items()) {
        if (isResultKey(key)) return true;
        if (depth > 0 && value.is_object() && hasResults(value, depth - 1)) return true;
    }
    if (auto calls = object.find("calls"); calls != object.end() && calls->is_array()) {
        for (const Json& call : *calls) {
            if (call.is_object() && call.contains("result") && call["result"].is_string() &&
                object.contains(call["result"].get<std::string>())) {
                return true;
            }
        }
    }
    return false;
}

struct CaseRef {
    std::string fileName;
    std::shared_ptr<const Json> root;
    Json::json_pointer pointer;
    int valueIndex = -1;  // an element of the case's "value" array
};

std::string effectiveApi(const Json& file, const Json& c) {
    if (c.contains("api") && c["api"].is_string()) return c["api"].get<std::string>();
    if (file.contains("api") && file["api"].is_string()) return file["api"].get<std::string>();
    return {};
}

void discover(const Json& node, const Json::json_pointer& pointer, const Json& root,
              std::vector<CaseRef>& out, const CaseRef& base) {
    if (node.is_object()) {
        const bool isRoot = pointer.empty();
        const bool candidate = !isRoot && (node.contains("api") || node.contains("calls") ||
                                           !effectiveApi(root, Json::object()).empty());
        if (candidate && hasResults(node, 1)) {
            auto value = node.find("value");
            if (value != node.end() && value->is_array() && !value->empty() &&
                value->at(0).is_object()) {
                for (std::size_t i = 0; i < value->size(); ++i) {
                    CaseRef ref = base;
                    ref.pointer = pointer;
                    ref.valueIndex = static_cast<int>(i);
                    out.push_back(ref);
                }
            } else {
                CaseRef ref = base;
                ref.pointer = pointer;
                out.push_back(ref);
            }
            return;
        }
        for (auto& [key, value] : node.items()) {
            if (isRoot && kSharedInputs.count(key) != 0) continue;
            if (key == "calls" || key == "blit_inputs") continue;
            discover(value, pointer / key, root, out, base);
        }
    } else if (node.is_array()) {
        for (std::size_t i = 0; i < node.size(); ++i)
            discover(node[i], pointer / i, root, out, base);
    }
}

std::string testName(const CaseRef& ref) {
    std::string name = ref.pointer.to_string();
    if (ref.valueIndex >= 0) name += "/" + std::to_string(ref.valueIndex);
    std::string out;
    for (char ch : name.substr(1)) {
        const bool ok =
            (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        out += ok ? ch : '_';
    }
    return out.empty() ? std::string("root") : out;
}

// Every "api" named inside a case, for the skip check.
void collectApis(const Json& node, std::set<std::string>& apis) {
    if (node.is_object()) {
        for (auto& [key, value] : node.items()) {
            if (key == "api" && value.is_string()) apis.insert(value.get<std::string>());
            collectApis(value, apis);
        }
    } else if (node.is_array()) {
        for (const Json& v : node) collectApis(v, apis);
    }
}

// ---- Comparison ------------------------------------------------------------

bool parseNumberText(const std::string& text, long long& out) {
    if (text.empty()) return false;
    std::size_t used = 0;
    try {
        out = static_cast<long long>(std::stoull(text, &used, 16));
    } catch (...) {
        return false;
    }
    return used == text.size() || (text.rfind("0x", 0) == 0 && used == text.size());
}

bool sameValue(const Json& expected, const Json& actual) {
    if (expected.is_array()) {
        if (!actual.is_array()) return expected.size() == 1 && sameValue(expected[0], actual);
        // A single call that returned a list (one handler running several calls).
        if (actual.size() == 1 && actual[0].is_array()) return sameValue(expected, actual[0]);
        if (expected.size() != actual.size()) return false;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (!sameValue(expected[i], actual[i])) return false;
        }
        return true;
    }
    if (actual.is_array() && actual.size() == 1) return sameValue(expected, actual[0]);
    if (expected.is_object()) {
        if (!actual.is_object()) return false;
        for (auto& [key, value] : expected.items()) {
            if (!actual.contains(key) || !sameValue(value, actual[key])) return false;
        }
        return true;
    }
    if (expected.is_boolean()) {
        if (actual.is_boolean()) return expected == actual;
        if (actual.is_number()) return expected.get<bool>() == (actual.get<long long>() != 0);
        return false;
    }
    if (expected.is_string() && actual.is_number()) {
        long long e = 0;
        std::string text = expected.get<std::string>();
        if (text.rfind("0x", 0) == 0) text = text.substr(2);
        return parseNumberText(text, e) &&
               static_cast<std::uint32_t>(e) == static_cast<std::uint32_t>(actual.get<long long>());
    }
    if (expected.is_number() && actual.is_number()) {
        return expected.get<double>() == actual.get<double>();
    }
    return expected == actual;
}

test::PixelGrid gridOf(const Json& grid) {
    test::PixelGrid out;
    for (const Json& row : grid) {
        std::vector<COLORREF> line;
        for (const Json& v : row) line.push_back(parseColor(v));
        out.push_back(line);
    }
    return out;
}

Json bitGrid(const std::vector<BYTE>& bits, std::size_t stride, bool bottomUp, int width,
             int height) {
    Json rows = Json::array();
    for (int y = 0; y < height; ++y) {
        const std::size_t memoryRow = bottomUp ? static_cast<std::size_t>(height - 1 - y) : y;
        std::string row;
        for (int x = 0; x < width; ++x) {
            const BYTE b = bits[memoryRow * stride + static_cast<std::size_t>(x) / 8];
            row += ((b >> (7 - x % 8)) & 1) ? '1' : '0';
        }
        rows.push_back(row);
    }
    return rows;
}

std::string shown(const Json& expected, const Json& actual);

struct Checker {
    std::string where;

    void values(const std::string& key, const Json& expected, const Json& actual) {
        EXPECT_TRUE(sameValue(expected, actual))
            << where << ": " << key << ": expected " << expected.dump() << ", got "
            << shown(expected, actual);
    }

    void pixels(const std::string& key, HDC dc, const Json& expected) {
        const test::PixelGrid want = gridOf(expected);
        const int height = static_cast<int>(want.size());
        const int width = height > 0 ? static_cast<int>(want[0].size()) : 0;
        EXPECT_TRUE(test::gridsMatch(test::readPixels(dc, width, height), want, where + "_" + key));
    }
};

// The actual value in the expected one's notation (hex strings for colours).
std::string shown(const Json& expected, const Json& actual) {
    if (expected.is_string() && actual.is_number_integer()) {
        return colorText(static_cast<COLORREF>(actual.get<long long>()));
    }
    if (expected.is_string() && actual.is_array() && actual.size() == 1 &&
        actual[0].is_number_integer()) {
        return colorText(static_cast<COLORREF>(actual[0].get<long long>()));
    }
    return actual.dump();
}

// Compares everything the case recorded and everything readable from its DCs.
void compareResults(ReplayContext& ctx, const Json& c, Checker& check) {
    for (const auto& [key, actual] : ctx.recorded()) {
        if (c.contains(key)) {
            check.values(key, c[key], actual);
        } else if (c.contains("value") && c["value"].is_object() && c["value"].contains(key)) {
            check.values(key, c["value"][key], actual);
        } else if (key == "return" && c.contains("value") && !c["value"].is_structured()) {
            check.values("value", c["value"], actual);
        }
    }
    const auto bitsOf = [&](const std::string& dcName, const Json& expected) -> Json {
        HBITMAP bitmap = ctx.dcBitmap(dcName);
        DIBSECTION ds{};
        const int got = GetObjectA(bitmap, sizeof(ds), &ds);
        const int width = static_cast<int>(expected.at(0).get<std::string>().size());
        const int height = static_cast<int>(expected.size());
        if (got == static_cast<int>(sizeof(DIBSECTION)) && ds.dsBm.bmBits != nullptr) {
            const std::size_t stride = static_cast<std::size_t>(ds.dsBm.bmWidthBytes);
            const auto* start = static_cast<const BYTE*>(ds.dsBm.bmBits);
            std::vector<BYTE> bits(start, start + stride * ds.dsBm.bmHeight);
            GdiFlush();
            return bitGrid(bits, stride, ds.dsBmih.biHeight > 0, width,
                           std::min<int>(height, ds.dsBm.bmHeight));
        }
        BITMAP bm{};
        GetObjectA(bitmap, sizeof(bm), &bm);
        std::vector<BYTE> bits(static_cast<std::size_t>(bm.bmWidthBytes) * bm.bmHeight);
        GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
        return bitGrid(bits, static_cast<std::size_t>(bm.bmWidthBytes), false, width,
                       std::min<int>(height, bm.bmHeight));
    };
    const std::string imageDc = c.contains("dib") ? "dib" : "target";
    for (auto& [key, expected] : c.items()) {
        if (ctx.recorded().count(key) != 0) continue;
        if (key == "pixels" || key == "mono_getpixel") {
            check.pixels(key, ctx.namedDc("target"), expected);
        } else if (key == "dib_getpixel") {
            check.pixels(key, ctx.namedDc(imageDc), expected);
        } else if (key == "mono_bits") {
            check.values(key, expected, bitsOf("target", expected));
        } else if (key == "raw_bits") {
            check.values(key, expected, bitsOf(imageDc, expected));
        } else if (key == "current_position_after") {
            HDC dc = ctx.namedDc("target");
            POINT pt{};
            MoveToEx(dc, 0, 0, &pt);
            MoveToEx(dc, pt.x, pt.y, nullptr);
            check.values(key, expected, Json::array({pt.x, pt.y}));
        }
    }
}

// Runs the case's calls (or the case itself as the call of its api).
void runCalls(ReplayContext& ctx, const Json& file, const Json& c) {
    std::map<std::string, Json> returns;
    const std::string api = effectiveApi(file, c);
    if (c.contains("calls") && c["calls"].is_array()) {
        for (const Json& call : c["calls"]) {
            const CallResult result = ctx.call(call);
            const std::string name = call.at("api").get<std::string>();
            returns[name].push_back(result.value);
            if (call.contains("result") && call["result"].is_string()) {
                ctx.record(call["result"].get<std::string>(), result.value);
            }
        }
    } else if (!api.empty()) {
        Json call = c;
        call["api"] = api;
        returns[api].push_back(ctx.call(call).value);
    }
    for (const auto& [name, list] : returns) ctx.record(name + "_return", list);
    if (returns.count(api) != 0) ctx.record("return", returns[api]);
}

class VectorCase : public ::testing::Test {
  public:
    explicit VectorCase(CaseRef ref) : m_ref(std::move(ref)) {}

    void TestBody() override {
        const Json& file = *m_ref.root;
        Json c = file.at(m_ref.pointer);
        if (m_ref.valueIndex >= 0) {
            Json element = c["value"][static_cast<std::size_t>(m_ref.valueIndex)];
            c.erase("value");
            for (auto& [key, value] : element.items()) c[key] = value;
        }
        std::set<std::string> apis;
        collectApis(c, apis);
        if (!effectiveApi(file, c).empty()) apis.insert(effectiveApi(file, c));
        std::string missing;
        for (const std::string& api : apis) {
            if (findApi(api) == nullptr) missing += (missing.empty() ? "" : ", ") + api;
        }
        if (!missing.empty()) GTEST_SKIP() << "no replay handler for " << missing;

        test::GdiLeakGuard leaks;
        Checker check{m_ref.fileName + " case " + m_ref.pointer.to_string() +
                      (m_ref.valueIndex >= 0 ? "/" + std::to_string(m_ref.valueIndex) : "")};
        try {
            ReplayContext ctx(file, c);
            runCalls(ctx, file, c);
            compareResults(ctx, c, check);
            if (c.contains("blit_inputs") && c["blit_inputs"].is_object()) {
                std::vector<Json> subCases;
                subCases.reserve(c["blit_inputs"].size());
                for (auto& [name, inputs] : c["blit_inputs"].items()) {
                    Json sub = inputs;
                    if (c.contains(name) && c[name].is_object()) {
                        for (auto& [key, value] : c[name].items()) sub[key] = value;
                    }
                    subCases.push_back(std::move(sub));
                    ctx.resetTarget(subCases.back());
                    Checker subCheck{check.where + " " + name};
                    runCalls(ctx, file, subCases.back());
                    compareResults(ctx, subCases.back(), subCheck);
                }
            }
        } catch (const std::exception& error) {
            ADD_FAILURE() << check.where << ": " << error.what();
        }
    }

  private:
    CaseRef m_ref;
};

std::string suiteName(const fs::path& file) {
    std::string out = "Vectors_";
    for (char ch : file.stem().string()) {
        out += ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'))
                   ? ch
                   : '_';
    }
    return out;
}

template <class F>
void registerTest(const std::string& suite, const std::string& name, F factory) {
    ::testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                            std::move(factory));
}

class FailingTest : public ::testing::Test {
  public:
    explicit FailingTest(std::string message) : m_message(std::move(message)) {}
    void TestBody() override { FAIL() << m_message; }

  private:
    std::string m_message;
};

bool registerAll() {
    const fs::path folder = test::platformVectorFolder();
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        const std::string message = "no vector files in " + folder.string();
        registerTest("Vectors", "FolderHasFiles",
                     [message]() -> ::testing::Test* { return new FailingTest(message); });
        return true;
    }
    for (const fs::path& path : files) {
        const std::string suite = suiteName(path);
        auto root = std::make_shared<Json>();
        try {
            std::ifstream in(path);
            *root = Json::parse(in);
        } catch (const std::exception& e) {
            const std::string message = path.string() + ": " + e.what();
            registerTest(suite, "Parses",
                         [message]() -> ::testing::Test* { return new FailingTest(message); });
            continue;
        }
        std::vector<CaseRef> cases;
        CaseRef base{path.filename().string(), root, Json::json_pointer(), -1};
        discover(*root, Json::json_pointer(), *root, cases, base);
        if (cases.empty()) {
            const std::string message = path.string() + ": no cases found";
            registerTest(suite, "HasCases",
                         [message]() -> ::testing::Test* { return new FailingTest(message); });
        }
        for (const CaseRef& ref : cases) {
            registerTest(suite, testName(ref),
                         [ref]() -> ::testing::Test* { return new VectorCase(ref); });
        }
    }
    return true;
}

const bool kRegistered = registerAll();

}  // namespace
}  // namespace qv::replay
