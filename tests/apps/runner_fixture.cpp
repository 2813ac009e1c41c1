// SPDX-License-Identifier: MIT
#include "runner_fixture.h"

#include <sqlite3.h>

#include <fstream>
#include <stdexcept>

#include "command_executor.h"
#include "people_form.h"
#include "platform/user/thread_state.h"
#include "script.h"

namespace qv::qvform::test {

namespace {

void exec(const std::filesystem::path& file, const std::string& sql, std::string* result) {
    sqlite3* db = nullptr;
    if (sqlite3_open(file.string().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.string());
    }
    auto collect = [](void* target, int, char** values, char**) {
        auto* text = static_cast<std::string*>(target);
        if (!text->empty()) *text += ",";
        *text += values[0] ? values[0] : "NULL";
        return 0;
    };
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), result ? +collect : nullptr, result, &error);
    std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(message);
}

}  // namespace

RunnerTest::RunnerTest() {
    exec(folder / "people.db", kPeopleSchema, nullptr);
    user::resetThreadState();
    m_service = std::make_unique<host::ScopedMessageBoxService>(boxes);
    session = std::make_unique<FormSession>(transcript, &harness);
    FormSession::registerControlTypes();
}

RunnerTest::~RunnerTest() {
    session.reset();
    m_service.reset();
    user::resetThreadState();
}

void RunnerTest::open() {
    const auto file = folder / "people.form";
    std::ofstream(file) << kPeopleForm;
    session->open(file.string());
}

void RunnerTest::run(const std::string& script) {
    CommandExecutor(*session, transcript, boxes).run(parseScript(script));
}

std::string RunnerTest::column(const std::string& sql) const {
    std::string text;
    exec(folder / "people.db", sql, &text);
    return text;
}

}  // namespace qv::qvform::test
