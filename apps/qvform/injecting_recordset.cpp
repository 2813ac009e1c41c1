#include "injecting_recordset.h"

namespace qv::qvform {

void InjectingRecordset::enter(std::string_view member) {
    if (auto failure = m_plan.take(m_owner, member)) throw *failure;
}

bool InjectingRecordset::bof() {
    enter("BOF");
    return m_real->bof();
}
bool InjectingRecordset::eof() {
    enter("EOF");
    return m_real->eof();
}
void InjectingRecordset::moveFirst() {
    enter("MoveFirst");
    m_real->moveFirst();
}
void InjectingRecordset::moveLast() {
    enter("MoveLast");
    m_real->moveLast();
}
void InjectingRecordset::movePrevious() {
    enter("MovePrevious");
    m_real->movePrevious();
}
void InjectingRecordset::moveNext() {
    enter("MoveNext");
    m_real->moveNext();
}
void InjectingRecordset::addNew() {
    enter("AddNew");
    m_real->addNew();
}
void InjectingRecordset::edit() {
    enter("Edit");
    m_real->edit();
}
void InjectingRecordset::update() {
    enter("Update");
    m_real->update();
}
void InjectingRecordset::cancelUpdate() {
    enter("CancelUpdate");
    m_real->cancelUpdate();
}
void InjectingRecordset::deleteRecord() {
    enter("Delete");
    m_real->deleteRecord();
}
std::shared_ptr<host::Fields> InjectingRecordset::fields() {
    enter("Fields");
    return m_real->fields();
}
void InjectingRecordset::findFirst(std::string_view criterion) {
    enter("FindFirst");
    m_real->findFirst(criterion);
}
void InjectingRecordset::findNext(std::string_view criterion) {
    enter("FindNext");
    m_real->findNext(criterion);
}
void InjectingRecordset::findPrevious(std::string_view criterion) {
    enter("FindPrevious");
    m_real->findPrevious(criterion);
}
void InjectingRecordset::findLast(std::string_view criterion) {
    enter("FindLast");
    m_real->findLast(criterion);
}
bool InjectingRecordset::noMatch() {
    enter("NoMatch");
    return m_real->noMatch();
}
std::int32_t InjectingRecordset::recordCount() {
    enter("RecordCount");
    return m_real->recordCount();
}
std::int32_t InjectingRecordset::absolutePosition() {
    enter("AbsolutePosition");
    return m_real->absolutePosition();
}
host::Variant InjectingRecordset::bookmark() {
    enter("Bookmark");
    return m_real->bookmark();
}
void InjectingRecordset::setBookmark(const host::Variant& bookmark) {
    enter("Bookmark");
    m_real->setBookmark(bookmark);
}
std::int16_t InjectingRecordset::editMode() {
    enter("EditMode");
    return m_real->editMode();
}
bool InjectingRecordset::updatable() {
    enter("Updatable");
    return m_real->updatable();
}

}  // namespace qv::qvform
