// SPDX-License-Identifier: MIT
#include "host/data_contract.h"

#include <span>

#include "host/form.h"
#include "host/member_registry.h"

namespace qv::host {

namespace {

std::string criterionOf(std::span<Variant> args, const std::string& className) {
    if (args.size() != 1) raise(errc::WrongArgumentsOrAssignment, className);
    return args[0].toString();
}

MemberRegistry makeFieldMembers() {
    MemberRegistry r("Field");
    MemberTable<Field>(r)
        .readOnly("Name", [](Field& f) { return f.name(); })
        .property(
            "Value", [](Field& f) { return f.value(); },
            [](Field& f, const Variant& v) { f.setValue(v); }, MemberInfo{DispIdValue, {}, {}})
        .readOnly("Type", [](Field& f) { return f.type(); });
    return r;
}

MemberRegistry makeFieldsMembers() {
    MemberRegistry r("Fields");
    MemberTable<Fields>(r)
        .readOnly("Count", [](Fields& f) { return static_cast<int>(f.count()); })
        .method(
            "Item",
            [](Fields& f, std::span<Variant> args) {
                if (args.size() != 1) raise(errc::WrongArgumentsOrAssignment, "Fields");
                return ObjectRef(f.item(args[0]));
            },
            MemberInfo{DispIdValue, {}, {}});
    return r;
}

MemberRegistry makeRecordsetMembers() {
    MemberRegistry r("Recordset");
    using RS = Recordset;
    auto find = [](void (RS::*fn)(std::string_view)) {
        return [fn](RS& rs, std::span<Variant> args) { (rs.*fn)(criterionOf(args, "Recordset")); };
    };
    MemberTable<RS>(r)
        .readOnly("BOF", [](RS& rs) { return rs.bof(); })
        .readOnly("EOF", [](RS& rs) { return rs.eof(); })
        .method("MoveFirst", [](RS& rs, std::span<Variant>) { rs.moveFirst(); })
        .method("MoveLast", [](RS& rs, std::span<Variant>) { rs.moveLast(); })
        .method("MovePrevious", [](RS& rs, std::span<Variant>) { rs.movePrevious(); })
        .method("MoveNext", [](RS& rs, std::span<Variant>) { rs.moveNext(); })
        .method("AddNew", [](RS& rs, std::span<Variant>) { rs.addNew(); })
        .method("Edit", [](RS& rs, std::span<Variant>) { rs.edit(); })
        .method("Update", [](RS& rs, std::span<Variant>) { rs.update(); })
        .method("CancelUpdate", [](RS& rs, std::span<Variant>) { rs.cancelUpdate(); })
        .method("Delete", [](RS& rs, std::span<Variant>) { rs.deleteRecord(); })
        .method("Fields",
                [](RS& rs, std::span<Variant> args) -> Variant {
                    auto fields = rs.fields();
                    if (args.empty()) return Variant(ObjectRef(fields));
                    if (args.size() != 1) raise(errc::WrongArgumentsOrAssignment, "Recordset");
                    return Variant(ObjectRef(fields->item(args[0])));
                })
        .method("FindFirst", find(&RS::findFirst))
        .method("FindNext", find(&RS::findNext))
        .method("FindPrevious", find(&RS::findPrevious))
        .method("FindLast", find(&RS::findLast))
        .readOnly("NoMatch", [](RS& rs) { return rs.noMatch(); })
        .readOnly("RecordCount", [](RS& rs) { return static_cast<int>(rs.recordCount()); })
        .readOnly("AbsolutePosition",
                  [](RS& rs) { return static_cast<int>(rs.absolutePosition()); })
        .property(
            "Bookmark", [](RS& rs) { return rs.bookmark(); },
            [](RS& rs, const Variant& v) { rs.setBookmark(v); })
        .readOnly("EditMode", [](RS& rs) { return rs.editMode(); })
        .readOnly("Updatable", [](RS& rs) { return rs.updatable(); });
    return r;
}

MemberRegistry makeDataControlMembers() {
    MemberRegistry r("DataControl", &Control::controlMembers());
    MemberTable<DataControl>(r).readOnly("Recordset",
                                         [](DataControl& d) { return ObjectRef(d.recordset()); });
    return r;
}

}  // namespace

const MemberRegistry& Field::members() const {
    static const MemberRegistry registry = makeFieldMembers();
    return registry;
}

const MemberRegistry& Fields::members() const {
    static const MemberRegistry registry = makeFieldsMembers();
    return registry;
}

const MemberRegistry& Recordset::members() const {
    static const MemberRegistry registry = makeRecordsetMembers();
    return registry;
}

const MemberRegistry& DataControl::dataControlMembers() {
    static const MemberRegistry registry = makeDataControlMembers();
    return registry;
}

std::shared_ptr<RecordDriver> findRecordDriver(const DataControl& data) {
    const auto form = data.Parent();
    if (!form) return nullptr;
    for (const auto& control : form->controls()) {
        auto driver = std::dynamic_pointer_cast<RecordDriver>(control);
        if (driver && driver->drives(data)) return driver;
    }
    return nullptr;
}

}  // namespace qv::host
