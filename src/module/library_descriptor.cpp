// SPDX-License-Identifier: MIT
#include "module/library_descriptor.h"

#include "designtime/ppData.h"
#include "frame/resource_table.h"
#include "module/component_guids.h"
#include "navigator/qvRecordBar.h"

namespace qv::module {

using frame::ClassDecl;
using frame::ComponentProject;
using frame::PrivateClassKind;
using frame::TypeLibrary;

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
    bar.toolboxBitmap = frame::resource_id::ToolboxBitmap;
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
    static const TypeLibrary lib = frame::buildTypeLibrary(componentProject());
    return lib;
}

}  // namespace qv::module
