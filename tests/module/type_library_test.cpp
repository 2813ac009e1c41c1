// SPDX-License-Identifier: MIT
// The type library compared with the published interface, the three
// interface-identifier resources, and binding a bar by dispatch identifier
// alone.
#include <gtest/gtest.h>

#include "frame/interface_id_resources.h"
#include "host/error.h"
#include "host/object.h"
#include "module/component_guids.h"
#include "module/library_descriptor.h"
#include "platform/user/input.h"
#include "platform/user/thread_state.h"

namespace qv::module::test {
namespace {

using namespace qv::frame;

using namespace type_flag;
constexpr std::uint32_t kIface = Hidden | Dual | NonExtensible | OleAutomation | Dispatchable;

struct EntryRow {
    TypeKind kind;
    const char* name;
    GUID guid;
    std::uint32_t flags;
};

const EntryRow kEntries[] = {
    {TypeKind::DualInterface, "_ppData", guids::IID__ppData, kIface},
    {TypeKind::CoClass, "ppData", guids::CLSID_ppData, 0},
    {TypeKind::DualInterface, "_qvRecordBar", guids::IID__qvRecordBar, kIface},
    {TypeKind::CoClass, "qvRecordBar", guids::CLSID_qvRecordBar, Control},
    {TypeKind::DispInterface, "__qvRecordBar", guids::DIID___qvRecordBar,
     Hidden | NonExtensible | Dispatchable},
    {TypeKind::Enumeration, "AxBorderStyles", guids::GUID_AxBorderStyles, 0},
};

struct FunctionRow {
    const char* name;
    InvokeKind kind;
    host::DispId id;
    const char* type;
    const char* help;
};

constexpr const char* kEnabledHelp =
    "Returns/sets a value that determines whether an object can respond to user-generated "
    "events.";
constexpr auto Get = InvokeKind::PropertyGet;
constexpr auto Put = InvokeKind::PropertyPut;

const FunctionRow kBarFunctions[] = {
    {"FormObject", Get, 0x68030006, "Object", ""},
    {"Enabled", Get, 0x68030005, "Boolean", kEnabledHelp},
    {"Enabled", Put, 0x68030005, "Boolean", kEnabledHelp},
    {"StatusVisible", Get, 0x68030004, "Boolean", ""},
    {"StatusVisible", Put, 0x68030004, "Boolean", ""},
    {"About", InvokeKind::Method, -552, "", ""},
    {"SearchField", Get, 0x68030003, "String", ""},
    {"SearchField", Put, 0x68030003, "String", ""},
    {"DataSource", Get, 0x68030002, "Object", ""},
    {"DataSource", InvokeKind::PropertyPutRef, 0x68030002, "Object", ""},
    {"MSDataControl", Get, 0x68030001, "String", ""},
    {"MSDataControl", Put, 0x68030001, "String", ""},
    {"GetDataControls", InvokeKind::Method, 0x6003000E, "", ""},
    {"BorderStyle", Get, 0x68030000, "AxBorderStyles",
     "Returns/sets the border style for the control."},
    {"BorderStyle", Put, 0x68030000, "AxBorderStyles",
     "Returns/sets the border style for the control."},
};

TEST(TypeLibrary, DescribesTheLibraryAndItsSixEntriesInOrder) {
    const TypeLibrary& lib = typeLibrary();
    EXPECT_EQ(lib.name, "qvRecordBarLib");
    EXPECT_EQ(lib.libid, guids::LIBID_qvRecordBarLib);
    EXPECT_EQ(lib.majorVersion * 100 + lib.minorVersion, 100);
    EXPECT_EQ(lib.lcid, 1033u);
    EXPECT_EQ(lib.flags, LibFlagControl);
    EXPECT_FALSE(lib.helpString.empty());
    ASSERT_EQ(lib.entries.size(), std::size(kEntries));
    for (std::size_t i = 0; i < lib.entries.size(); ++i) {
        const TypeEntry& e = lib.entries[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.kind, kEntries[i].kind);
        EXPECT_EQ(e.name, kEntries[i].name);
        EXPECT_EQ(e.guid, kEntries[i].guid);
        EXPECT_EQ(e.flags, kEntries[i].flags);
        EXPECT_EQ(e.majorVersion * 100 + e.minorVersion, 100);
        // The picture button has identifiers, but nothing of it is listed.
        EXPECT_EQ(e.name.find("SoftButton"), std::string::npos);
        EXPECT_NE(e.guid, guids::CLSID_qvSoftButton);
    }
    EXPECT_TRUE(lib.find("_ppData")->functions.empty());
    const auto& bar = lib.find("qvRecordBar")->implements;
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_TRUE(bar[0].name == "_qvRecordBar" && bar[0].isDefault && !bar[0].isSource);
    EXPECT_TRUE(bar[1].name == "__qvRecordBar" && bar[1].isDefault && bar[1].isSource);
}

TEST(TypeLibrary, ListsTheBarsMembersEventsAndBorderStyles) {
    const TypeLibrary& lib = typeLibrary();
    const auto& functions = lib.find("_qvRecordBar")->functions;
    ASSERT_EQ(functions.size(), std::size(kBarFunctions));
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const FunctionDesc& f = functions[i];
        SCOPED_TRACE(f.name);
        EXPECT_EQ(f.name, kBarFunctions[i].name);
        EXPECT_EQ(f.kind, kBarFunctions[i].kind);
        EXPECT_EQ(f.dispId, kBarFunctions[i].id);
        EXPECT_EQ(f.type, kBarFunctions[i].type);
        EXPECT_EQ(f.help, kBarFunctions[i].help);
        const bool takesControl = f.name == "GetDataControls";
        ASSERT_EQ(f.params.size(), takesControl ? 1u : 0u);
        if (takesControl) {
            EXPECT_EQ(f.params[0].name + " " + f.params[0].type, "ctl Object");
        }
    }

    const char* events[] = {"BeforeUpdate", "AfterUpdate", "BeforeAdd",  "AfterAdd",
                            "BeforeEdit",   "AfterEdit",   "AfterCancel"};
    const auto& raised = lib.find("__qvRecordBar")->functions;
    ASSERT_EQ(raised.size(), std::size(events));
    for (std::size_t i = 0; i < raised.size(); ++i) {
        EXPECT_EQ(raised[i].name, events[i]);
        EXPECT_EQ(raised[i].dispId, static_cast<host::DispId>(i + 1));
        EXPECT_TRUE(raised[i].type.empty() && raised[i].params.empty());
    }

    const char* styles[] = {"No Border",   "Thin Raised", "Thick Raised", "Thin Inset",
                            "Thick Inset", "Etched",      "Bump"};
    const auto& constants = lib.find("AxBorderStyles")->constants;
    ASSERT_EQ(constants.size(), std::size(styles));
    for (std::size_t i = 0; i < constants.size(); ++i) {
        EXPECT_EQ(constants[i].name, styles[i]);
        EXPECT_EQ(constants[i].value, static_cast<std::int32_t>(i));
    }
}

TEST(TypeLibrary, InterfaceIdResourcesHoldLengthThenGuid) {
    const struct {
        const char* type;
        GUID guid;
    } cases[] = {{"_IID_QVRECORDBAR", guids::IID__qvRecordBar},
                 {"_SRCIID_QVRECORDBAR", guids::DIID___qvRecordBar},
                 {"_IID_PPDATA", guids::IID__ppData}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::vector<std::uint8_t> bytes = interfaceIdResource(componentProject(), c.type);
        ASSERT_EQ(bytes.size(), 20u);
        EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 16);
        GUID held{};
        std::memcpy(&held, bytes.data() + 4, 16);  // this machine is little-endian too
        EXPECT_EQ(held, c.guid);
        EXPECT_EQ(bytes[4], c.guid.Data1 & 0xFF);  // low byte first
    }
    for (const char* absent : {"_IID_QVSOFTBUTTON", "_SRCIID_PPDATA", "_IID_"})
        EXPECT_TRUE(interfaceIdResource(componentProject(), absent).empty()) << absent;
}

// A host that knows only the type library reads every property of a new
// bar by identifier, writes each writable one back the way the library says
// (plain or by reference), and calls About by its identifier.
TEST(TypeLibrary, EveryMemberCanBeReachedByItsDispatchIdentifier) {
    const ClassDecl* decl = componentProject().findPublic(guids::CLSID_qvRecordBar);
    ASSERT_NE(decl, nullptr);
    host::ObjectRef bar = decl->create();
    for (const FunctionDesc& f : typeLibrary().find("_qvRecordBar")->functions) {
        SCOPED_TRACE(f.name);
        switch (f.kind) {
            case InvokeKind::PropertyGet:
                EXPECT_NO_THROW(bar->get(f.dispId));
                break;
            case InvokeKind::PropertyPut:
                bar->let(f.dispId, bar->get(f.dispId));
                break;
            case InvokeKind::PropertyPutRef: {
                // A plain assignment of an object is refused; by reference it is taken.
                auto other = decl->create();
                try {
                    bar->let(f.dispId, host::Variant(other));
                    ADD_FAILURE() << "a plain assignment was accepted";
                } catch (const host::Error& e) {
                    EXPECT_EQ(e.number(), host::errc::WrongArgumentsOrAssignment);
                }
                bar->set(f.dispId, host::Variant(other));
                EXPECT_EQ(bar->get(f.dispId).toObject(), other);
                bar->set(f.dispId, host::Variant::nothing());
                break;
            }
            case InvokeKind::Method:
                break;
        }
    }
    const std::int32_t style = bar->get(0x68030000).toLong();
    EXPECT_TRUE(style >= 0 && style <= 6) << style;

    // -552 shows the About box modally; close it at its first idle turn.
    user::resetThreadState();
    int shown = 0;
    user::setIdleHandler([&] {
        ++shown;
        user::pressKey(VK_RETURN);
        return true;
    });
    bar->call(host::DispId{-552});
    user::setIdleHandler(nullptr);
    user::resetThreadState();
    EXPECT_GE(shown, 1);
}

}  // namespace
}  // namespace qv::module::test
