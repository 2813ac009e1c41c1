// SPDX-License-Identifier: MIT
// Writing a file whole or not at all: every file the project writes (form
// files, the component registry, pictures, screenshots) goes through here, so
// that a full disk or a failing write never leaves a file cut short.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qv::files {

// Makes `bytes` the whole content of `path`. The bytes go to a temporary file
// in the same folder, which is flushed to the disk and then renamed over the
// old file. A symbolic link is followed to the file it names (the link stays
// a link); the old file's permission bits are kept, and a new file gets 0666
// less the umask. Returns "" on success, else the reason in words (naming a
// folder given as the path, or the system's reason); the old file is then
// left byte for byte and no temporary file remains.
std::string writeWholeFile(const std::filesystem::path& path, std::string_view bytes);

// The system call the writer writes with. Tests replace it to inject
// failures (a full disk); nullptr restores write(2).
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);
void setWriteCallForTests(WriteCall call);

}  // namespace qv::files
