// SPDX-License-Identifier: MIT
#include "host/forwarding_recordset.h"

namespace qv::host {

bool ForwardingRecordset::bof() {
    enter("BOF");
    return m_real->bof();
}
bool ForwardingRecordset::eof() {
    enter("EOF");
    return m_real->eof();
}
void ForwardingRecordset::moveFirst() {
    enter("MoveFirst");
    m_real->moveFirst();
}
void ForwardingRecordset::moveLast() {
    enter("MoveLast");
    m_real->moveLast();
}
void ForwardingRecordset::movePrevious() {
    enter("MovePrevious");
    m_real->movePrevious();
}
void ForwardingRecordset::moveNext() {
    enter("MoveNext");
    m_real->moveNext();
}
void ForwardingRecordset::addNew() {
    enter("AddNew");
    m_real->addNew();
}
void ForwardingRecordset::edit() {
    enter("Edit");
    m_real->edit();
}
void ForwardingRecordset::update() {
    enter("Update");
    m_real->update();
}
void ForwardingRecordset::cancelUpdate() {
    enter("CancelUpdate");
    m_real->cancelUpdate();
}
void ForwardingRecordset::deleteRecord() {
    enter("Delete");
    m_real->deleteRecord();
}
std::shared_ptr<Fields> ForwardingRecordset::fields() {
    enter("Fields");
    return m_real->fields();
}
void ForwardingRecordset::findFirst(std::string_view criterion) {
    enter("FindFirst");
    m_real->findFirst(criterion);
}
void ForwardingRecordset::findNext(std::string_view criterion) {
    enter("FindNext");
    m_real->findNext(criterion);
}
void ForwardingRecordset::findPrevious(std::string_view criterion) {
    enter("FindPrevious");
    m_real->findPrevious(criterion);
}
void ForwardingRecordset::findLast(std::string_view criterion) {
    enter("FindLast");
    m_real->findLast(criterion);
}
bool ForwardingRecordset::noMatch() {
    enter("NoMatch");
    return m_real->noMatch();
}
std::int32_t ForwardingRecordset::recordCount() {
    enter("RecordCount");
    return m_real->recordCount();
}
std::int32_t ForwardingRecordset::absolutePosition() {
    enter("AbsolutePosition");
    return m_real->absolutePosition();
}
Variant ForwardingRecordset::bookmark() {
    enter("Bookmark");
    return m_real->bookmark();
}
void ForwardingRecordset::setBookmark(const Variant& bookmark) {
    enter("Bookmark");
    m_real->setBookmark(bookmark);
}
std::int16_t ForwardingRecordset::editMode() {
    enter("EditMode");
    return m_real->editMode();
}
bool ForwardingRecordset::updatable() {
    enter("Updatable");
    return m_real->updatable();
}

}  // namespace qv::host
