// SPDX-License-Identifier: MIT
#include "resources/tool/version_block.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "resources/tool/little_endian.h"

namespace qv::resources {

namespace {

void align4(Bytes& out) {
    while (out.size() % 4) out.push_back(0);
}

// UTF-16 text with its terminating zero.
Bytes wide(std::string_view text) {
    Bytes out;
    for (char c : text) {
        if (static_cast<unsigned char>(c) > 0x7F) {
            throw std::invalid_argument("version texts must be ASCII");
        }
        put16(out, static_cast<unsigned char>(c));
    }
    put16(out, 0);
    return out;
}

// One node: length, value length (in words for text, bytes for binary),
// type, key, value and children, each part starting on a 4-byte boundary.
Bytes node(std::string_view key, const Bytes& value, std::uint16_t valueLength, bool text,
           const std::vector<Bytes>& children = {}) {
    Bytes out;
    put16(out, 0);
    put16(out, valueLength);
    put16(out, text ? 1 : 0);
    Bytes k = wide(key);
    out.insert(out.end(), k.begin(), k.end());
    align4(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        align4(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    out[0] = static_cast<std::uint8_t>(out.size());
    out[1] = static_cast<std::uint8_t>(out.size() >> 8);
    return out;
}

Bytes stringNode(const std::string& name, const std::string& text) {
    if (text.empty()) return node(name, {}, 0, true);
    Bytes value = wide(text);
    return node(name, value, static_cast<std::uint16_t>(value.size() / 2), true);
}

std::uint32_t high(const std::array<std::uint16_t, 4>& v) {
    return static_cast<std::uint32_t>(v[0]) << 16 | v[1];
}

std::uint32_t low(const std::array<std::uint16_t, 4>& v) {
    return static_cast<std::uint32_t>(v[2]) << 16 | v[3];
}

}  // namespace

VersionSource parseVersionSource(std::string_view text, const std::string& name) {
    VersionSource source;
    std::istringstream in{std::string(text)};
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        throw std::runtime_error(name + ":" + std::to_string(lineNumber) + ": " + why);
    };
    auto version = [&](const std::string& rest) {
        std::array<std::uint16_t, 4> v{};
        unsigned a = 0, b = 0, c = 0, d = 0;
        char tail = 0;
        if (std::sscanf(rest.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 0xFFFF ||
            b > 0xFFFF || c > 0xFFFF || d > 0xFFFF) {
            fail("expected a version A.B.C.D");
        }
        v = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
             static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(d)};
        return v;
    };
    auto hex16 = [&](const std::string& rest) {
        unsigned v = 0;
        char tail = 0;
        if (std::sscanf(rest.c_str(), "%4x%c", &v, &tail) != 1) fail("expected four hex digits");
        return static_cast<std::uint16_t>(v);
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::size_t space = line.find(' ');
        std::string word = line.substr(0, space);
        std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (word == "file-version") {
            source.fileVersion = version(rest);
        } else if (word == "product-version") {
            source.productVersion = version(rest);
        } else if (word == "language") {
            source.language = hex16(rest);
        } else if (word == "codepage") {
            source.codePage = hex16(rest);
        } else if (word == "string") {
            std::size_t gap = rest.find(' ');
            std::string key = rest.substr(0, gap);
            if (key.empty()) fail("a string needs a name");
            source.strings.emplace_back(key, gap == std::string::npos ? "" : rest.substr(gap + 1));
        } else {
            fail("unknown line \"" + word + "\"");
        }
    }
    return source;
}

std::vector<std::uint8_t> encodeVersionBlock(const VersionSource& source) {
    Bytes fixed;
    put32(fixed, 0xFEEF04BD);  // signature
    put32(fixed, 0x00010000);  // layout version 1.0
    put32(fixed, high(source.fileVersion));
    put32(fixed, low(source.fileVersion));
    put32(fixed, high(source.productVersion));
    put32(fixed, low(source.productVersion));
    put32(fixed, 0x3F);        // every flag bit is meaningful
    put32(fixed, 0);           // no flags: a release build
    put32(fixed, 0x00040004);  // 32-bit Windows
    put32(fixed, 2);           // a library
    put32(fixed, 0);
    put32(fixed, 0);
    put32(fixed, 0);

    std::vector<Bytes> strings;
    for (const auto& [key, text] : source.strings) strings.push_back(stringNode(key, text));
    char table[9];
    std::snprintf(table, sizeof table, "%04X%04X", source.language, source.codePage);
    Bytes stringInfo = node("StringFileInfo", {}, 0, true, {node(table, {}, 0, true, strings)});
    Bytes translation;
    put16(translation, source.language);
    put16(translation, source.codePage);
    Bytes varInfo = node("VarFileInfo", {}, 0, true, {node("Translation", translation, 4, false)});
    return node("VS_VERSION_INFO", fixed, static_cast<std::uint16_t>(fixed.size()), false,
                {stringInfo, varInfo});
}

}  // namespace qv::resources
