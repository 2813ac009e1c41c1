// SPDX-License-Identifier: MIT
// Registration into the component registry file: what is written, that
// removal gives back the file as it was, and that a damaged file is refused
// and never rewritten.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "frame/component_registry.h"
#include "host/error.h"
#include "module/component_guids.h"
#include "module/dll_exports.h"
#include "support/private_registry.h"

namespace qv::module::test {
namespace {

using namespace qv::frame;

class RegistryFile : public ::testing::Test {
  protected:
    void write(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string read() {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    qv::test::PrivateRegistry privateRegistry;
    const std::filesystem::path& dir = privateRegistry.dir();
    const std::filesystem::path file = privateRegistry.file();
};

TEST_F(RegistryFile, RegisterWritesBothClassesAndUnregisterRestoresTheFile) {
    const std::string before =
        "# another program's entries\n"
        "CLSID\\{00000000-1111-2222-3333-444444444444}=Other\n"
        "\n"
        "CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32=/opt/other.so\n";
    write(before);
    ASSERT_EQ(DllRegisterServer(), S_OK);
    ASSERT_EQ(DllRegisterServer(), S_OK);  // again: nothing is added twice

    ComponentRegistry reg(file);
    const std::string bar = "CLSID\\" + guidText(guids::CLSID_qvRecordBar);
    const std::string page = "CLSID\\" + guidText(guids::CLSID_ppData);
    const std::string lib = "TypeLib\\" + guidText(guids::LIBID_qvRecordBarLib) + "\\1.0";
    const std::string* server = reg.find(bar + "\\InprocServer32");
    ASSERT_NE(server, nullptr);
    EXPECT_TRUE(std::filesystem::path(*server).is_absolute()) << *server;
    const std::pair<std::string, std::string> expected[] = {
        {bar, "qvRecordBar"},
        {bar + "\\InprocServer32\\ThreadingModel", "Apartment"},
        {bar + "\\MiscStatus", "0x00028191"},
        {bar + "\\ToolboxBitmap32", *server + ",30000"},
        {bar + "\\TypeLib", guidText(guids::LIBID_qvRecordBarLib)},
        {bar + "\\Version", "1.0"},
        {page, "ppData"},
        {page + "\\InprocServer32", *server},
        {page + "\\InprocServer32\\ThreadingModel", "Apartment"},
        {lib + "\\Name", "qvRecordBarLib"},
        {lib + "\\Locale", "1033"},
        {"Interface\\" + guidText(guids::IID__qvRecordBar), "_qvRecordBar"},
        {"Interface\\" + guidText(guids::DIID___qvRecordBar), "__qvRecordBar"},
        {"Interface\\" + guidText(guids::IID__ppData), "_ppData"},
    };
    for (const auto& [key, value] : expected) {
        const std::string* got = reg.find(key);
        ASSERT_NE(got, nullptr) << key;
        EXPECT_EQ(*got, value) << key;
    }
    EXPECT_EQ(reg.find(page + "\\MiscStatus"), nullptr);
    EXPECT_EQ(reg.find("CLSID\\" + guidText(guids::CLSID_qvSoftButton)), nullptr);
    EXPECT_EQ(reg.children("CLSID").size(), 3u);  // the other program's and ours

    ASSERT_EQ(DllUnregisterServer(), S_OK);
    EXPECT_EQ(read(), before);
    ASSERT_EQ(DllUnregisterServer(), S_OK);  // nothing left to remove is no failure
    EXPECT_EQ(read(), before);
}

TEST_F(RegistryFile, ADamagedFileIsRefusedAndLeftUntouched) {
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"CLSID\\{x}=a\nno equals sign here\n", "line 2"},
        {"=a value without a key\n", "line 1"},
        {"# fine\n\n  indented=but no key at the start is still a key\nbroken", "line 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        write(c.text);
        EXPECT_EQ(DllRegisterServer(), SELFREG_E_CLASS);
        EXPECT_EQ(DllUnregisterServer(), SELFREG_E_CLASS);
        EXPECT_EQ(read(), c.text);
        try {
            ComponentRegistry reg(file);
            ADD_FAILURE() << "a damaged file was read";
        } catch (const host::Error& e) {
            EXPECT_NE(e.description().find(c.line), std::string::npos) << e.description();
            EXPECT_NE(e.description().find(file.string()), std::string::npos);
        }
    }
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(RegistryFile, LinesEndingInCrLfAreReadAsTheirText) {
    write("# made elsewhere\r\nCLSID\\{x}=a value\r\nCLSID\\{x}\\InprocServer32=/lib.so\r\n");
    ComponentRegistry reg(file);
    ASSERT_NE(reg.find("CLSID\\{x}"), nullptr);
    EXPECT_EQ(*reg.find("CLSID\\{x}"), "a value");
    EXPECT_EQ(*reg.find("CLSID\\{x}\\InprocServer32"), "/lib.so");
    EXPECT_EQ(reg.children("CLSID"), std::vector<std::string>{"{x}"});
}

TEST_F(RegistryFile, AFolderInPlaceOfTheFileIsAnErrorThatSaysSo) {
    std::filesystem::create_directories(file);
    try {
        ComponentRegistry reg(file);
        ADD_FAILURE() << "a folder was read as a registry";
    } catch (const host::Error& e) {
        EXPECT_NE(e.description().find("folder"), std::string::npos) << e.description();
        EXPECT_NE(e.description().find(file.string()), std::string::npos);
    }
    EXPECT_EQ(DllRegisterServer(), SELFREG_E_CLASS);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(RegistryFile, TheFileIsFoundThroughTheEnvironment) {
    EXPECT_EQ(ComponentRegistry::defaultPath(), file);
    ::unsetenv("QV_REGISTRY_DIR");
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    EXPECT_EQ(ComponentRegistry::defaultPath(), dir / "qvRecordBar" / "registry");
    if (saved)
        ::setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace qv::module::test
