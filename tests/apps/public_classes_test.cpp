// SPDX-License-Identifier: MIT
// Where the runner's public classes come from: the linked library's factories
// by default, and, when the loaded library does not serve a class, the
// library the component registry names. Every way this can fail says which
// class and why.
#include <gtest/gtest.h>

#include <fstream>

#include "frame/component_registry.h"
#include "host/error.h"
#include "host/property_page.h"
#include "module/component_guids.h"
#include "navigator/qvRecordBar.h"
#include "public_classes.h"
#include "support/private_registry.h"

namespace qv::qvform::test {
namespace {

class PublicClassesTest : public ::testing::Test {
  protected:
    void writeRegistry(const std::string& text) { std::ofstream(privateRegistry.file()) << text; }

    qv::test::PrivateRegistry privateRegistry;
    const std::filesystem::path& dir = privateRegistry.dir();
};

TEST_F(PublicClassesTest, TheLinkedLibraryMakesBothPublicClassesAndNothingElse) {
    PublicClasses classes;
    EXPECT_NE(std::dynamic_pointer_cast<navigator::qvRecordBar>(classes.create("qvrecordbar")),
              nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<host::PropertyPage>(classes.create("ppData")), nullptr);
    for (const char* other : {"qvSoftButton", "frmDBSearch", "PaintEffects", "TextBox"}) {
        SCOPED_TRACE(other);
        try {
            classes.create(other);
            ADD_FAILURE() << "made";
        } catch (const host::Error& e) {
            EXPECT_EQ(e.number(), host::errc::FileLoad);
            EXPECT_NE(e.description().find("not a public class"), std::string::npos);
        }
    }
}

TEST_F(PublicClassesTest, AClassTheLibraryLacksComesFromTheRegistryOrSaysWhyNot) {
    const std::string bar = frame::guidText(module::guids::CLSID_qvRecordBar);
    const std::string server = "CLSID\\" + bar + "\\InprocServer32=";
    const struct {
        const char* name;
        std::string registry;
        std::string says;
    } cases[] = {
        {"no registry", "", "names no library"},
        {"another class only", "CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32=/x\n",
         "names no library"},
        {"a missing server", server + (dir / "gone.so").string() + "\n",
         "the registered server: cannot load"},
        {"a server without the class", server + QV_EMPTY_COMPONENT + "\n",
         "refused with 0x80040111"},
        {"a damaged registry", "CLSID without a value\n", "line 1"},
    };
    PublicClasses classes(QV_EMPTY_COMPONENT);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeRegistry(c.registry);
        try {
            classes.create("qvRecordBar");
            ADD_FAILURE() << "made";
        } catch (const host::Error& e) {
            EXPECT_NE(e.description().find("qvRecordBar cannot be made"), std::string::npos);
            EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
        }
    }
}

TEST_F(PublicClassesTest, ALibraryThatCannotServeIsRefusedAtOnce) {
    std::ofstream(dir / "not-a-library.so") << "text";
    const struct {
        std::string path;
        const char* says;
    } cases[] = {
        {(dir / "missing.so").string(), "cannot load"},
        {(dir / "not-a-library.so").string(), "cannot load"},
        {"libm.so.6", "has no entry point DllGetClassObject"},  // a library, not a component
    };
    for (const auto& c : cases) {
        try {
            PublicClasses classes(c.path);
            ADD_FAILURE() << c.path << " accepted";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace qv::qvform::test
