// SPDX-License-Identifier: MIT
// The host's component registry: a plain text file of "key=value" lines
// under the user's configuration folder, read whole, changed in memory and
// written back atomically. Registration adds the library's keys; removal
// takes away exactly the trees the library owns.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/component_project.h"

namespace qv::frame {

class ComponentRegistry {
  public:
    // The file: QV_REGISTRY_DIR/registry when that variable is set, else
    // $XDG_CONFIG_HOME/qvRecordBar/registry (XDG_CONFIG_HOME defaulting to
    // ~/.config).
    static std::filesystem::path defaultPath();

    // Reads `file` (a missing file is an empty registry). A line that is
    // neither blank, a "#" comment nor "key=value" with a key makes the file
    // damaged: fails with error 31037 naming the file and line, and nothing
    // is ever written to it.
    explicit ComponentRegistry(std::filesystem::path file);

    // Sets `key`, in place when it exists, else at the end.
    void set(std::string_view key, std::string_view value);
    // Removes `key` and every key below it ("key\..."); returns how many.
    std::size_t removeTree(std::string_view key);
    // Returns the value of `key`, or nullptr.
    const std::string* find(std::string_view key) const;
    // The keys directly below `key`, in file order (one level, no repeats).
    std::vector<std::string> children(std::string_view key) const;

    // Writes the registry to a temporary file beside it, then renames it
    // over the file, so a reader sees the old or the new file, never half.
    void save() const;

  private:
    struct Line {
        std::string text;  // kept as read for blank and comment lines
        std::string key;
        std::string value;
    };
    std::filesystem::path m_file;
    std::vector<Line> m_lines;
};

// Adds the public classes of `project`, served by the shared library at
// `libraryPath`, its interfaces and its type library to `registry`.
void registerProject(const ComponentProject& project, const std::string& libraryPath,
                     ComponentRegistry& registry);
// Removes what registerProject adds; other keys stay as they are.
void unregisterProject(const ComponentProject& project, ComponentRegistry& registry);

// Formats a GUID as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
std::string guidText(const GUID& guid);

}  // namespace qv::frame
