// SPDX-License-Identifier: MIT
#include "frame/interface_id_resources.h"

#include <cctype>

namespace qv::frame {

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void putLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::vector<std::uint8_t> resourceOf(const GUID& g) {
    std::vector<std::uint8_t> out;
    putLe(out, 16, 4);
    putLe(out, g.Data1, 4);
    putLe(out, g.Data2, 2);
    putLe(out, g.Data3, 2);
    out.insert(out.end(), std::begin(g.Data4), std::end(g.Data4));
    return out;
}

}  // namespace

std::vector<std::uint8_t> interfaceIdResource(const ComponentProject& project,
                                              std::string_view typeName) {
    const std::string wanted = upper(std::string(typeName));
    for (const ClassDecl& c : project.classes) {
        if (c.classKind != PublicClassKind) continue;
        if (wanted == "_IID_" + upper(c.name)) return resourceOf(c.iid);
        if (c.hasEvents && wanted == "_SRCIID_" + upper(c.name)) return resourceOf(c.eventIid);
    }
    return {};
}

}  // namespace qv::frame
