// The library's project descriptor: its two public classes, the private
// picture button's identity, and the border-style enumeration.
#include "frame/component_project.h"

#include "designtime/ppData.h"
#include "frame/component_guids.h"
#include "frame/resource_table.h"
#include "frame/type_library.h"
#include "navigator/qvRecordBar.h"

namespace qv::frame {

namespace {

// OLEMISC_SETCLIENTSITEFIRST | ALIGNABLE | ACTIVATEWHENVISIBLE | INSIDEOUT |
// CANTLINKINSIDE | RECOMPOSEONRESIZE
constexpr std::uint32_t kRecordBarMiscStatus = 0x00028191;

ComponentProject makeProject() {
    ComponentProject p;
    p.libraryName = "qvRecordBarLib";
    p.libid = guids::LIBID_qvRecordBarLib;
    p.helpString = "Record navigation bar for forms bound to a data control";
    p.fileStem = "qvRecordBar";

    ClassDecl page;
    page.name = "ppData";
    page.clsid = guids::CLSID_ppData;
    page.iid = guids::IID__ppData;
    page.members = &designtime::ppData::ppDataMembers();
    page.create = [] { return std::make_shared<designtime::ppData>(); };
    p.classes.push_back(std::move(page));

    ClassDecl bar;
    bar.name = "qvRecordBar";
    bar.clsid = guids::CLSID_qvRecordBar;
    bar.iid = guids::IID__qvRecordBar;
    bar.eventIid = guids::DIID___qvRecordBar;
    bar.hasEvents = true;
    bar.control = true;
    bar.miscStatus = kRecordBarMiscStatus;
    bar.toolboxBitmap = resource_id::ToolboxBitmap;
    bar.members = &navigator::qvRecordBar::recordBarMembers();
    for (const navigator::RecordBarEvent& e : navigator::qvRecordBar::events())
        bar.events.push_back({e.name, e.dispId});
    bar.propertyPage = navigator::qvRecordBar::PropertyPageName;
    bar.propertyPageLink = navigator::qvRecordBar::PropertyPageLink;
    bar.create = [] { return std::make_shared<navigator::qvRecordBar>(); };
    p.classes.push_back(std::move(bar));

    ClassDecl button;
    button.name = "qvSoftButton";
    button.clsid = guids::CLSID_qvSoftButton;
    button.iid = guids::IID__qvSoftButton;
    button.eventIid = guids::DIID___qvSoftButton;
    button.hasEvents = true;
    button.control = true;
    button.classKind = PrivateClassKind;
    p.classes.push_back(std::move(button));

    p.enums.push_back({"AxBorderStyles",
                       guids::GUID_AxBorderStyles,
                       {{"No Border", 0},
                        {"Thin Raised", 1},
                        {"Thick Raised", 2},
                        {"Thin Inset", 3},
                        {"Thick Inset", 4},
                        {"Etched", 5},
                        {"Bump", 6}}});
    return p;
}

}  // namespace

const ComponentProject& componentProject() {
    static const ComponentProject project = makeProject();
    return project;
}

const TypeLibrary& typeLibrary() {
    static const TypeLibrary lib = buildTypeLibrary(componentProject());
    return lib;
}

}  // namespace qv::frame
