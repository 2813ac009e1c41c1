// SPDX-License-Identifier: MIT
// Files written whole or not at all: permission bits, symbolic links, folders
// and a disk that fills up part way (through an injected write call).
#include "platform/gdi/whole_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "support/temp_folder.h"

namespace qv::files {
namespace {

namespace fs = std::filesystem;

// A write that stores at most `g_room` bytes in all, then fails as a full disk does.
std::size_t g_room = 0;
ssize_t fullDisk(int fd, const void* data, std::size_t size) {
    if (g_room == 0) {
        errno = ENOSPC;
        return -1;
    }
    const std::size_t n = std::min(size, std::min<std::size_t>(g_room, 8192));
    g_room -= n;
    return ::write(fd, data, n);
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

mode_t modeOf(const fs::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}

struct Folder : qv::test::TempFolder {
    Folder() : TempFolder("qv-whole") {}
    // How many entries the folder holds (a temporary file left behind shows).
    long entries() const { return std::distance(fs::directory_iterator(path()), {}); }
};

TEST(WholeFile, WritesTheNewBytesOrLeavesTheOldFileByteForByte) {
    const std::string big(20000, 'x');
    struct Case {
        const char* what;
        bool existing;     // an old file with mode 0640 is there
        bool link;         // the path is a symbolic link to the file
        std::size_t room;  // bytes the disk takes; SIZE_MAX for no limit
        bool written;
    };
    const Case cases[] = {
        {"new file", false, false, SIZE_MAX, true},
        {"replaces and keeps the mode", true, false, SIZE_MAX, true},
        {"through a link", true, true, SIZE_MAX, true},
        {"disk full part way", true, false, 8192, false},
        {"disk full at once", true, false, 0, false},
        {"disk full through a link", true, true, 100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Folder folder;
        const fs::path file = folder.path() / "data.form";
        if (c.existing) {
            std::ofstream(file, std::ios::binary) << "old";
            fs::permissions(file, fs::perms(0640));
        }
        fs::path path = file;
        if (c.link) {
            path = folder.path() / "link.form";
            fs::create_symlink(file, path);
        }
        g_room = c.room;
        setWriteCallForTests(c.room == SIZE_MAX ? nullptr : fullDisk);
        const std::string reason = writeWholeFile(path, big);
        setWriteCallForTests(nullptr);
        EXPECT_EQ(reason.empty(), c.written) << reason;
        EXPECT_EQ(contents(file), c.written ? big : "old");
        if (c.existing) {
            EXPECT_EQ(modeOf(file), 0640u);
        }
        if (c.link) {
            EXPECT_TRUE(fs::is_symlink(path));
        }
        EXPECT_EQ(folder.entries(), c.link ? 2 : 1);
    }
}

TEST(WholeFile, AFolderOrAMissingFolderIsRefusedWithItsReason) {
    Folder folder;
    EXPECT_NE(writeWholeFile(folder.path(), "x").find("folder"), std::string::npos);
    EXPECT_FALSE(writeWholeFile(folder.path() / "no" / "such.form", "x").empty());
    EXPECT_EQ(folder.entries(), 0);
}

}  // namespace
}  // namespace qv::files
