// SPDX-License-Identifier: MIT
// The runner makes the public bar through the library's class factory: the
// library counts it as alive exactly as long as the runtime holds it, and a
// class the library refuses gives nothing.
#include <gtest/gtest.h>

#include "class_factory_client.h"
#include "form_session.h"
#include "frame/module_counts.h"
#include "host/control.h"
#include "host/control_factory.h"
#include "module/component_guids.h"
#include "module/dll_exports.h"
#include "navigator/qvRecordBar.h"

namespace qv::qvform::test {
namespace {

TEST(ClassFactoryClient, FormBarsComeFromTheLibraryAndKeepItLoaded) {
    FormSession::registerControlTypes();
    const frame::ModuleCounts& counts = frame::ModuleCounts::instance();
    ASSERT_EQ(DllCanUnloadNow(), S_OK);
    {
        std::shared_ptr<host::Control> bar = host::ControlFactory::current().create("qvRecordBar");
        ASSERT_NE(std::dynamic_pointer_cast<navigator::qvRecordBar>(bar), nullptr);
        EXPECT_EQ(counts.objects(), 1);
        auto copy = bar;
        bar.reset();
        EXPECT_EQ(DllCanUnloadNow(), S_FALSE);  // a copy still holds it
    }
    EXPECT_EQ(counts.objects(), 0);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);

    const MadeObject refused =
        createThroughFactory(&DllGetClassObject, module::guids::CLSID_qvSoftButton);
    EXPECT_EQ(refused.object, nullptr);
    EXPECT_EQ(refused.result, CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_NE(createThroughFactory(&DllGetClassObject, module::guids::CLSID_ppData).object,
              nullptr);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace qv::qvform::test
