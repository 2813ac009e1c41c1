// SPDX-License-Identifier: MIT
// qvform's registry commands: listing what is registered, refusing a
// library that cannot be loaded, a damaged registry and bad command lines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "component_commands.h"
#include "frame/component_registry.h"
#include "module/library_descriptor.h"
#include "support/private_registry.h"

namespace qv::qvform::test {
namespace {

class ComponentCommands : public ::testing::Test {
  protected:
    std::optional<int> run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return runComponentCommand(args, out, err);
    }

    qv::test::PrivateRegistry privateRegistry;
    const std::filesystem::path& dir = privateRegistry.dir();
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ComponentCommands, ListsRegisteredClassesWithTheirServer) {
    EXPECT_EQ(run({"--list-classes"}), 0);
    EXPECT_EQ(out.str(), "");  // no registry yet is an empty one
    frame::ComponentRegistry registry(frame::ComponentRegistry::defaultPath());
    frame::registerProject(module::componentProject(), "/lib/libqvRecordBar.so", registry);
    registry.save();
    EXPECT_EQ(run({"--list-classes"}), 0);
    const std::string listed = out.str();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 2);
    EXPECT_NE(listed.find(" ppData /lib/libqvRecordBar.so\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find(" qvRecordBar /lib/libqvRecordBar.so\n"), std::string::npos) << listed;
}

TEST_F(ComponentCommands, RefusalsSayWhatIsWrong) {
    std::ofstream(dir / "registry") << "not an entry\n";
    const struct {
        std::vector<std::string> args;
        std::optional<int> status;
        const char* says;  // "": the command line is not ours and nothing is said
    } cases[] = {
        {{"--list-classes"}, 1, "line 1"},
        {{"--list-classes", "x"}, 2, "takes nothing more"},
        {{"--register"}, 2, "needs the path"},
        {{"--unregister", "a", "b"}, 2, "needs the path"},
        {{"--register", (dir / "missing.so").string()}, 1, "cannot load"},
        {{"form.json", "--script", "s"}, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        EXPECT_EQ(run(c.args), c.status);
        if (*c.says == '\0') {
            EXPECT_EQ(err.str(), "");
        } else {
            EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
        }
    }
}

}  // namespace
}  // namespace qv::qvform::test
