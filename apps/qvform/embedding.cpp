// SPDX-License-Identifier: MIT
#include "embedding.h"

#include "form_session.h"
#include "host/form_runner.h"
#include "run_session.h"

namespace qv::qvform {

void registerControlTypes() {
    FormSession::registerControlTypes();
}

int runForm(const std::shared_ptr<host::Form>& form, const std::string& folder,
            const std::string& scriptFile, std::ostream& out) {
    return runSession([&](FormSession& session) { session.show(form, folder); }, scriptFile, out);
}

}  // namespace qv::qvform
