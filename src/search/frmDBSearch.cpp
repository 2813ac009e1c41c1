#include "search/frmDBSearch.h"

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
    // Client area 3735 x 3120 twips; the frame adds the border and caption.
    setBounds({0, 0, 3735 + 90, 3120 + 405});
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
    m_sawRecordset = SearchRecordset != nullptr;
    m_preselectedField = SearchFieldName;
}

void frmDBSearch::cmdDone_Click() {
    Unload();
}

void frmDBSearch::closeBox() {
    Unload();
}

}  // namespace qv::search
