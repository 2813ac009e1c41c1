// SPDX-License-Identifier: MIT
// embed_customers: the customers of a database in a form built in code.
// A Data control on the customers table, bound text boxes for the name and
// the city, and a qvRecordBar that drives them. The program refuses to save
// a customer without a name and prints every customer it saved.
//
// Usage: embed_customers DATABASE [--script SCRIPT]
// Without a script the form opens in a window; with one it runs headless
// and prints what happens.
#include <iostream>
#include <memory>
#include <string>

#include "data/bound_controls_text_box.h"
#include "host/control_factory.h"
#include "host/data_contract.h"
#include "host/error.h"
#include "host/form.h"
#include "host/text_box.h"
#include "qvform/embedding.h"

namespace {

using qv::host::Bounds;
using qv::host::Variant;

// Positions are in twips: 15 to a pixel.
std::shared_ptr<qv::host::Control> place(qv::host::Form& form, const char* type, const char* name,
                                         const Bounds& bounds) {
    auto control = qv::host::ControlFactory::current().create(type);
    return form.add(control, name, std::nullopt, bounds);
}

// A label and a text box bound to `field` of Data1, in the row at `top`.
void addField(qv::host::Form& form, const char* caption, const char* name, const char* field,
              int top) {
    place(form, "Label", (std::string("lbl") + field).c_str(), {120, top + 30, 1200, 255})
        ->let("Caption", Variant(caption));
    auto box = place(form, "TextBox", name, {1440, top, 4200, 315});
    box->let("DataField", Variant(field));
    std::dynamic_pointer_cast<qv::data::DataTextBox>(box)->setDataSourceName("Data1");
}

std::shared_ptr<qv::host::Form> buildForm(const std::string& database) {
    auto form = std::make_shared<qv::host::Form>("frmEmbedded");
    form->setCaption("Customers");
    form->setBounds({0, 0, 5880, 2160});
    addField(*form, "Name:", "txtName", "name", 120);
    addField(*form, "City:", "txtCity", "city", 540);
    auto data = place(*form, "Data", "Data1", {120, 1020, 5520, 345});
    data->let("DatabaseName", Variant(database));
    data->let("RecordSource", Variant("customers"));
    auto bar = place(*form, "qvRecordBar", "qvRecordBar1", {120, 1500, 5520, 450});
    bar->let("MSDataControl", Variant("Data1"));  // bound by name
    return form;
}

// The bar's events reach the form's handlers by control and event name.
void handleEvents(const std::shared_ptr<qv::host::Form>& form) {
    std::weak_ptr<qv::host::Form> weak = form;
    // A handler cannot cancel the save, but an error it raises stops it: the
    // bar shows the error in its report, and Abort leaves the new or edited
    // record pending so that the name can still be typed.
    form->events().on("qvRecordBar1", "BeforeUpdate", [weak](auto, auto) {
        auto name = std::dynamic_pointer_cast<qv::host::TextBox>(weak.lock()->find("txtName"));
        if (name->Text().empty()) {
            throw qv::host::Error(qv::host::errc::InvalidProcedureCall, "frmEmbedded",
                                  "A customer needs a name; type one, or press Cancel");
        }
    });
    form->events().on("qvRecordBar1", "AfterUpdate", [weak](auto, auto) {
        auto data = std::dynamic_pointer_cast<qv::host::DataControl>(weak.lock()->find("Data1"));
        auto fields = data->recordset()->fields();
        std::cout << "saved:";
        for (std::int32_t i = 0; i < fields->count(); ++i) {
            auto field = fields->item(Variant(i));
            const Variant value = field->value();
            std::cout << ' ' << field->name() << '='
                      << (value.isNull() ? "Null" : value.toString());
        }
        std::cout << std::endl;
    });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string usage = "usage: embed_customers DATABASE [--script SCRIPT]\n";
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--script")) {
        std::cerr << usage;
        return 2;
    }
    qv::qvform::registerControlTypes();
    auto form = buildForm(argv[1]);
    handleEvents(form);
    return qv::qvform::runForm(form, ".", argc == 4 ? argv[3] : "", std::cout);
}
