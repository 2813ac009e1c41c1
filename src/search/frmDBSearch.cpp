#include "search/frmDBSearch.h"

#include "host/command_button.h"
#include "host/form_runner.h"
#include "search/search_handover.h"

namespace qv::search {

namespace {

std::shared_ptr<frmDBSearch>& threadInstance() {
    thread_local std::shared_ptr<frmDBSearch> dialog;
    return dialog;
}

}  // namespace

frmDBSearch::frmDBSearch() : host::Form("frmDBSearch") {
    setCaption("Find Record");
    setBounds({0, 0, 3735, 3120});  // the client area
}

std::shared_ptr<frmDBSearch> frmDBSearch::instance() {
    auto& dialog = threadInstance();
    if (!dialog) dialog = std::make_shared<frmDBSearch>();
    return dialog;
}

bool frmDBSearch::instanceExists() {
    return threadInstance() != nullptr;
}

void frmDBSearch::Form_Load() {
    // Unload removes the controls, so each load places them afresh.
    m_cmdDone = std::make_shared<host::CommandButton>();
    add(m_cmdDone, "cmdDone", std::nullopt, {2250, 2610, 1200, 375});
    m_cmdDone->setCaption("&Cancel");
    m_cmdDone->setCancel(true);
    m_cmdDone->setTabIndex(5);
    m_cmdDone->setToolTipText("Cancel search");
    events().on("cmdDone", "Click", [this](auto, auto) { cmdDone_Click(); });

    m_sawRecordset = SearchRecordset != nullptr;
    m_preselectedField = SearchFieldName;
}

void frmDBSearch::cmdDone_Click() {
    host::FormRunner::Unload(std::static_pointer_cast<host::Form>(shared_from_this()));
}

}  // namespace qv::search
