// SPDX-License-Identifier: MIT
#include "frame/component_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/error.h"
#include "platform/gdi/whole_file.h"

namespace qv::frame {

namespace {

constexpr const char* kSource = "ComponentRegistry";

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& why) {
    throw host::Error(host::errc::FileLoad, kSource, file.string() + ": " + why);
}

bool isBelow(std::string_view key, std::string_view tree) {
    return key == tree ||
           (key.size() > tree.size() && key.starts_with(tree) && key[tree.size()] == '\\');
}

std::string versionText(const ComponentProject& p) {
    return std::to_string(p.majorVersion) + "." + std::to_string(p.minorVersion);
}

std::string hex8(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", v);
    return buf;
}

// The trees of the registry that belong to `project`.
std::vector<std::string> ownedTrees(const ComponentProject& project) {
    std::vector<std::string> trees{"TypeLib\\" + guidText(project.libid)};
    for (const ClassDecl& c : project.classes) {
        if (c.classKind != PublicClassKind) continue;
        trees.push_back("CLSID\\" + guidText(c.clsid));
        trees.push_back("Interface\\" + guidText(c.iid));
        if (c.hasEvents) trees.push_back("Interface\\" + guidText(c.eventIid));
    }
    return trees;
}

}  // namespace

std::string guidText(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1,
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

std::filesystem::path ComponentRegistry::defaultPath() {
    if (const char* dir = std::getenv("QV_REGISTRY_DIR"); dir && *dir)
        return std::filesystem::path(dir) / "registry";
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::filesystem::path(home) / ".config";
    else
        config = ".config";
    return config / "qvRecordBar" / "registry";
}

ComponentRegistry::ComponentRegistry(std::filesystem::path file) : m_file(std::move(file)) {
    if (std::filesystem::is_directory(m_file))
        fail(m_file, "this is a folder, not a registry file");
    std::ifstream in(m_file, std::ios::binary);
    if (!in) {
        if (std::filesystem::exists(m_file)) fail(m_file, "the file cannot be read");
        return;
    }
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        // A file edited elsewhere may end its lines with CR LF.
        if (!text.empty() && text.back() == '\r') text.pop_back();
        Line line{text, {}, {}};
        const std::size_t eq = text.find('=');
        const bool note = text.empty() || text.front() == '#';
        if (!note) {
            if (eq == std::string::npos || eq == 0)
                fail(m_file, "line " + std::to_string(number) + " is not a key=value entry");
            line.key = text.substr(0, eq);
            line.value = text.substr(eq + 1);
        }
        m_lines.push_back(std::move(line));
    }
}

void ComponentRegistry::set(std::string_view key, std::string_view value) {
    const std::string text = std::string(key) + "=" + std::string(value);
    for (Line& l : m_lines) {
        if (l.key == key) {
            l.value = value;
            l.text = text;
            return;
        }
    }
    m_lines.push_back({text, std::string(key), std::string(value)});
}

std::size_t ComponentRegistry::removeTree(std::string_view key) {
    return std::erase_if(m_lines,
                         [&](const Line& l) { return !l.key.empty() && isBelow(l.key, key); });
}

const std::string* ComponentRegistry::find(std::string_view key) const {
    for (const Line& l : m_lines) {
        if (l.key == key) return &l.value;
    }
    return nullptr;
}

std::vector<std::string> ComponentRegistry::children(std::string_view key) const {
    std::vector<std::string> out;
    const std::string prefix = std::string(key) + "\\";
    for (const Line& l : m_lines) {
        if (!l.key.starts_with(prefix)) continue;
        std::string child = l.key.substr(prefix.size());
        child = child.substr(0, child.find('\\'));
        if (std::find(out.begin(), out.end(), child) == out.end()) out.push_back(child);
    }
    return out;
}

void ComponentRegistry::save() const {
    std::error_code ec;
    std::filesystem::create_directories(m_file.parent_path(), ec);
    std::string text;
    for (const Line& l : m_lines) text += l.text + '\n';
    const std::string reason = files::writeWholeFile(m_file, text);
    if (!reason.empty()) fail(m_file, "the new registry could not be written (" + reason + ")");
}

void registerProject(const ComponentProject& project, const std::string& libraryPath,
                     ComponentRegistry& registry) {
    const std::string libid = guidText(project.libid);
    const std::string version = versionText(project);
    const std::string lib = "TypeLib\\" + libid + "\\" + version;
    registry.set(lib, project.helpString);
    registry.set(lib + "\\Name", project.libraryName);
    registry.set(lib + "\\Locale", std::to_string(project.lcid));
    registry.set(lib + "\\Path", libraryPath);
    for (const ClassDecl& c : project.classes) {
        if (c.classKind != PublicClassKind) continue;
        const std::string key = "CLSID\\" + guidText(c.clsid);
        registry.set(key, c.name);
        registry.set(key + "\\ProgID", project.libraryName + "." + c.name);
        registry.set(key + "\\InprocServer32", libraryPath);
        registry.set(key + "\\InprocServer32\\ThreadingModel", "Apartment");
        registry.set(key + "\\TypeLib", libid);
        registry.set(key + "\\Version", version);
        if (c.control) registry.set(key + "\\Control", "");
        if (c.miscStatus) registry.set(key + "\\MiscStatus", hex8(c.miscStatus));
        if (c.toolboxBitmap)
            registry.set(key + "\\ToolboxBitmap32",
                         libraryPath + "," + std::to_string(c.toolboxBitmap));
        const auto iface = [&](const IID& iid, const std::string& name) {
            const std::string k = "Interface\\" + guidText(iid);
            registry.set(k, name);
            registry.set(k + "\\TypeLib", libid);
        };
        iface(c.iid, "_" + c.name);
        if (c.hasEvents) iface(c.eventIid, "__" + c.name);
    }
}

void unregisterProject(const ComponentProject& project, ComponentRegistry& registry) {
    for (const std::string& tree : ownedTrees(project)) registry.removeTree(tree);
}

}  // namespace qv::frame
