// SPDX-License-Identifier: MIT
#include "host/form_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unordered_map>

#include "host/base64.h"
#include "host/control.h"
#include "host/control_factory.h"
#include "host/form.h"
#include "host/member_registry.h"
#include "host/picture_object.h"
#include "host/property_bag.h"
#include "platform/gdi/whole_file.h"

namespace qv::host {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kVersion = 1;
constexpr std::int32_t kFileNotFound = 53;
constexpr std::int32_t kPathFileAccess = 75;

// A load failure at one place of the file; turned into the one Error.
struct Refusal {
    std::string place;
    std::string reason;
};

[[noreturn]] void refuse(std::string place, std::string reason) {
    throw Refusal{std::move(place), std::move(reason)};
}

// The failure's description, its full stop giving way to the number.
std::string reasonOf(const Error& e) {
    std::string text = e.description();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text + " (error " + std::to_string(e.number()) + ")";
}

// ---- Values ----------------------------------------------------------------

Json encodeValue(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return Json{{"empty", true}};
        case VarType::Null:
            return nullptr;
        case VarType::Boolean:
            return v.toBoolean();
        case VarType::Integer:
        case VarType::Long:
            return v.toLong();
        case VarType::Single:
        case VarType::Double: {
            double d = v.toDouble();
            if (std::isnan(d)) return Json{{"double", "NaN"}};
            if (std::isinf(d)) return Json{{"double", d > 0 ? "Infinity" : "-Infinity"}};
            return d;
        }
        case VarType::Date:
            return Json{{"date", v.toDouble()}};
        case VarType::String:
            return v.toString();
        case VarType::Object: {
            ObjectRef ref = v.toObject();
            if (!ref) return Json{{"nothing", true}};
            if (!ref->is(ObjectKind::Picture)) raise(errc::CantWriteObject, "FormFile");
            StoredPicture stored = storePicture(static_cast<PictureObject&>(*ref));
            Json out{{"picture", stored.format}};
            if (!stored.bytes.empty()) out["data"] = base64Encode(stored.bytes);
            return out;
        }
    }
    raise(errc::TypeMismatch, "FormFile");
}

Variant decodeTagged(const Json& j, const std::string& at) {
    auto only = [&](std::initializer_list<const char*> keys) {
        for (auto it = j.begin(); it != j.end(); ++it) {
            bool known = false;
            for (const char* k : keys) known = known || it.key() == k;
            if (!known) refuse(at + "/" + it.key(), "unexpected member");
        }
    };
    if (j.contains("picture")) {
        only({"picture", "data"});
        const Json& format = j["picture"];
        if (!format.is_string()) refuse(at + "/picture", "picture format must be a string");
        StoredPicture stored{format.get<std::string>(), {}};
        if (j.contains("data")) {
            const Json& data = j["data"];
            if (!data.is_string()) refuse(at + "/data", "picture data must be a string");
            auto bytes = base64Decode(data.get_ref<const std::string&>());
            if (!bytes) refuse(at + "/data", "picture data is not valid base64");
            stored.bytes = std::move(*bytes);
        } else if (stored.format != "none") {
            refuse(at, "picture data missing");
        }
        try {
            return restorePicture(stored);
        } catch (const Error& e) {
            refuse(at, "picture does not decode: " + reasonOf(e));
        }
    }
    if (j.size() != 1) refuse(at, "unknown value");
    const std::string& key = j.begin().key();
    const Json& value = j.begin().value();
    if (key == "date") {
        if (!value.is_number()) refuse(at + "/date", "date must be a number");
        Variant d = Variant::date(value.get<double>());
        try {
            d.toDate();
        } catch (const Error& e) {
            refuse(at + "/date", "date out of range");
        }
        return d;
    }
    if (key == "empty" && value == Json(true)) return Variant();
    if (key == "nothing" && value == Json(true)) return Variant::nothing();
    if (key == "double" && value.is_string()) {
        const auto& s = value.get_ref<const std::string&>();
        if (s == "NaN") return Variant(std::numeric_limits<double>::quiet_NaN());
        if (s == "Infinity") return Variant(std::numeric_limits<double>::infinity());
        if (s == "-Infinity") return Variant(-std::numeric_limits<double>::infinity());
    }
    refuse(at, "unknown value");
}

Variant decodeValue(const Json& j, const std::string& at) {
    switch (j.type()) {
        case Json::value_t::string:
            return Variant(j.get<std::string>());
        case Json::value_t::boolean:
            return Variant(j.get<bool>());
        case Json::value_t::null:
            return Variant::null();
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned: {
            if (j.is_number_unsigned() && j.get<std::uint64_t>() > 2147483647u) {
                refuse(at, "number out of range");
            }
            std::int64_t n = j.get<std::int64_t>();
            if (n >= -32768 && n <= 32767) return Variant(static_cast<std::int16_t>(n));
            if (n >= -2147483647 - 1 && n <= 2147483647) return Variant(static_cast<int>(n));
            refuse(at, "number out of range");
        }
        case Json::value_t::number_float:
            return Variant(j.get<double>());
        case Json::value_t::object:
            return decodeTagged(j, at);
        default:
            refuse(at, "wrong value type");
    }
}

// ---- Structure ---------------------------------------------------------------

std::string escapeKey(const std::string& key) {
    std::string out;
    for (char c : key) {
        if (c == '~') {
            out += "~0";
        } else if (c == '/') {
            out += "~1";
        } else {
            out += c;
        }
    }
    return out;
}

void onlyMembers(const Json& j, const std::string& at, std::initializer_list<const char*> keys) {
    if (!j.is_object()) refuse(at, "an object was expected");
    for (auto it = j.begin(); it != j.end(); ++it) {
        bool known = false;
        for (const char* k : keys) known = known || it.key() == k;
        if (!known) refuse(at + "/" + escapeKey(it.key()), "unexpected member");
    }
}

const Json& required(const Json& j, const std::string& at, const char* key) {
    if (!j.contains(key)) refuse(at, std::string("member \"") + key + "\" missing");
    return j[key];
}

std::string stringAt(const Json& j, const std::string& at) {
    if (!j.is_string()) refuse(at, "a string was expected");
    return j.get<std::string>();
}

std::int64_t integerAt(const Json& j, const std::string& at, std::int64_t lo, std::int64_t hi) {
    if (!j.is_number_integer()) refuse(at, "an integer was expected");
    if (j.is_number_unsigned() && j.get<std::uint64_t>() > static_cast<std::uint64_t>(hi)) {
        refuse(at, "number out of range");
    }
    std::int64_t n = j.get<std::int64_t>();
    if (n < lo || n > hi) refuse(at, "number out of range");
    return n;
}

Bounds boundsAt(const Json& j, const std::string& at) {
    constexpr std::int64_t lo = -2147483647 - 1, hi = 2147483647;
    Bounds b;
    b.left = static_cast<std::int32_t>(integerAt(required(j, at, "left"), at + "/left", lo, hi));
    b.top = static_cast<std::int32_t>(integerAt(required(j, at, "top"), at + "/top", lo, hi));
    b.width = static_cast<std::int32_t>(integerAt(required(j, at, "width"), at + "/width", 0, hi));
    b.height =
        static_cast<std::int32_t>(integerAt(required(j, at, "height"), at + "/height", 0, hi));
    return b;
}

PropertyBag bagAt(const Json& j, const std::string& at) {
    PropertyBag bag;
    if (!j.is_object()) refuse(at, "an object was expected");
    for (auto it = j.begin(); it != j.end(); ++it) {
        bag.store(it.key(), decodeValue(it.value(), at + "/" + escapeKey(it.key())));
    }
    return bag;
}

Json bagJson(const PropertyBag& bag) {
    Json out = Json::object();
    for (const auto& [key, value] : bag.entries()) out[key] = encodeValue(value);
    return out;
}

void putBounds(Json& j, const Bounds& b) {
    j["left"] = b.left;
    j["top"] = b.top;
    j["width"] = b.width;
    j["height"] = b.height;
}

std::string placeOfParseError(std::string_view text, std::size_t byte) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// A form file nests a few levels deep; much deeper nesting is refused before
// parsing, as walking and destroying such a value recurses once per level.
constexpr int kMaxNesting = 64;

void refuseDeepNesting(std::string_view text) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting) {
                refuse(placeOfParseError(text, i + 1),
                       "values are nested more than " + std::to_string(kMaxNesting) + " deep");
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
}

void loadInto(std::string_view text, Form& form, const ControlFactory& factory) {
    refuseDeepNesting(text);
    Json root;
    try {
        root = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& e) {
        std::string what = e.what();
        std::size_t colon = what.find(": ", what.find("column"));
        refuse(placeOfParseError(text, e.byte),
               colon == std::string::npos ? what : what.substr(colon + 2));
    } catch (const Json::exception& e) {
        // A number too large for a double; the message quotes the token.
        std::string what = e.what();
        std::size_t open = what.find('\'');
        std::size_t close = what.rfind('\'');
        std::size_t at = std::string::npos;
        if (open != std::string::npos && close > open) {
            at = text.find(std::string_view(what).substr(open + 1, close - open - 1));
        }
        std::size_t bracket = what.find("] ");
        refuse(at == std::string::npos ? "/" : placeOfParseError(text, at + 1),
               bracket == std::string::npos ? what : what.substr(bracket + 2));
    }
    onlyMembers(root, "", {"version", "form", "controls"});
    if (integerAt(required(root, "", "version"), "/version", 0, 1000000) != kVersion) {
        refuse("/version", "unsupported version");
    }

    const Json& f = required(root, "", "form");
    onlyMembers(f, "/form", {"name", "left", "top", "width", "height", "properties"});
    std::string name = stringAt(required(f, "/form", "name"), "/form/name");
    if (name.empty()) refuse("/form/name", "a form needs a name");
    form.setName(name);
    form.setBounds(boundsAt(f, "/form"));
    if (f.contains("properties")) {
        PropertyBag bag = bagAt(f["properties"], "/form/properties");
        for (const Member* m : form.members().persisted()) {
            if (!bag.contains(m->info.persist->key)) continue;
            try {
                form.let(m->name, bag.ReadProperty(m->info.persist->key));
            } catch (const Error& e) {
                refuse("/form/properties/" + escapeKey(m->info.persist->key), reasonOf(e));
            }
        }
    }

    const Json& controls = required(root, "", "controls");
    if (!controls.is_array()) refuse("/controls", "an array was expected");
    // The controls loaded so far by display name (the last of a name wins),
    // so that naming a container costs no walk over all of them.
    std::unordered_map<std::u32string, std::shared_ptr<Control>> loaded;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const std::string at = "/controls/" + std::to_string(i);
        const Json& c = controls[i];
        onlyMembers(c, at,
                    {"type", "name", "index", "container", "left", "top", "width", "height",
                     "visible", "enabled", "toolTipText", "properties"});
        std::string type = stringAt(required(c, at, "type"), at + "/type");
        std::string controlName = stringAt(required(c, at, "name"), at + "/name");
        if (controlName.empty()) refuse(at + "/name", "a control needs a name");
        std::optional<std::int16_t> index;
        if (c.contains("index")) {
            index = static_cast<std::int16_t>(integerAt(c["index"], at + "/index", 0, 32767));
        }
        std::shared_ptr<Control> container;
        if (c.contains("container")) {
            std::string holder = stringAt(c["container"], at + "/container");
            if (const auto it = loaded.find(nameKey(holder)); it != loaded.end()) {
                container = it->second;
            }
            if (!container) refuse(at + "/container", "no control \"" + holder + "\" before it");
            if (!container->isContainer()) {
                refuse(at + "/container", "\"" + holder + "\" cannot hold controls");
            }
        }
        Bounds bounds = boundsAt(c, at);
        bool visible = true;
        if (c.contains("visible")) {
            if (!c["visible"].is_boolean()) refuse(at + "/visible", "a Boolean was expected");
            visible = c["visible"].get<bool>();
        }
        bool enabled = true;
        if (c.contains("enabled")) {
            if (!c["enabled"].is_boolean()) refuse(at + "/enabled", "a Boolean was expected");
            enabled = c["enabled"].get<bool>();
        }
        std::string tip;
        if (c.contains("toolTipText")) tip = stringAt(c["toolTipText"], at + "/toolTipText");
        PropertyBag bag;
        if (c.contains("properties")) bag = bagAt(c["properties"], at + "/properties");

        if (!factory.knows(type)) refuse(at + "/type", "unknown control type \"" + type + "\"");
        std::shared_ptr<Control> control = factory.create(type);
        if (!control) refuse(at + "/type", "control type \"" + type + "\" could not be created");
        control->setVisible(visible);
        control->setToolTipText(tip);
        try {
            form.add(control, controlName, index, bounds, container, &bag);
            // After the control's own properties: a control that keeps its
            // own Enabled (the picture button) must not read it back over this.
            if (!enabled) control->setEnabled(false);
        } catch (const SizeError& e) {
            refuse(at + (e.width() ? "/width" : "/height"), reasonOf(e));
        } catch (const Error& e) {
            bool naming =
                e.number() == errc::InvalidProcedureCall || e.number() == errc::ObjectAlreadyLoaded;
            refuse(naming ? at + "/name" : at + "/properties", reasonOf(e));
        }
        loaded[nameKey(displayName(*control))] = control;
    }
}

}  // namespace

std::string saveForm(Form& form) {
    Json root;
    root["version"] = kVersion;
    Json f;
    f["name"] = form.Name();
    putBounds(f, form.bounds());
    PropertyBag formBag;
    for (const Member* m : form.members().persisted()) {
        formBag.WriteProperty(m->info.persist->key, form.get(m->name),
                              m->info.persist->defaultValue);
    }
    f["properties"] = bagJson(formBag);
    root["form"] = std::move(f);

    Json controls = Json::array();
    for (const auto& control : form.controls()) {
        Json c;
        c["type"] = control->className();
        c["name"] = control->Name();
        if (control->index()) c["index"] = *control->index();
        ObjectRef holder = control->Container();
        if (holder && holder->is(ObjectKind::Control)) {
            c["container"] = displayName(static_cast<Control&>(*holder));
        }
        putBounds(c, control->bounds());
        if (!control->Visible()) c["visible"] = false;
        // Through the member: a control that keeps its own Enabled answers it.
        if (!control->get("Enabled").toBoolean()) c["enabled"] = false;
        if (!control->ToolTipText().empty()) c["toolTipText"] = control->ToolTipText();
        PropertyBag bag;
        control->hostWriteProperties(bag);
        c["properties"] = bagJson(bag);
        controls.push_back(std::move(c));
    }
    root["controls"] = std::move(controls);
    return root.dump(2) + "\n";
}

void loadForm(std::string_view text, const std::string& fileName, Form& form,
              const ControlFactory& factory) {
    if (!form.controls().empty()) {
        throw Error(errc::InvalidProcedureCall, "FormFile",
                    "Controls can be loaded only into a form that has none yet.");
    }
    try {
        loadInto(text, form, factory);
    } catch (const Refusal& r) {
        form.Unload();
        throw Error(errc::FileLoad, "FormFile",
                    fileName + ": " + (r.place.empty() ? "/" : r.place) + ": " + r.reason);
    }
}

std::shared_ptr<Form> loadForm(std::string_view text, const std::string& fileName,
                               const ControlFactory& factory, bool userMode) {
    auto form = std::make_shared<Form>();
    // Controls read the mode while they read their properties.
    form->setUserMode(userMode);
    loadForm(text, fileName, *form, factory);
    return form;
}

std::shared_ptr<Form> loadFormFile(const std::string& path, const ControlFactory& factory,
                                   bool userMode) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw Error(kPathFileAccess, "FormFile",
                    "The form file " + path + " is a folder; name a file inside it.");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error(kFileNotFound, "FormFile", "The form file " + path + " does not exist.");
    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        in.setstate(std::ios::badbit);
    }
    if (in.bad()) {
        throw Error(kPathFileAccess, "FormFile", "The form file " + path + " could not be read.");
    }
    return loadForm(text, path, factory, userMode);
}

void saveFormFile(Form& form, const std::string& path) {
    const std::string text = saveForm(form);
    // Written whole or not at all: a failed save leaves the old file as it was.
    const std::string reason = files::writeWholeFile(path, text);
    if (!reason.empty()) {
        throw Error(kPathFileAccess, "FormFile",
                    "The form could not be saved to " + path + " (" + reason +
                        "). The file there was left as it was.");
    }
}

}  // namespace qv::host
