// SPDX-License-Identifier: MIT
// The Data control: opens a recordset over a SQLite file (DatabaseName,
// resolved against the form file's folder), or over a PostgreSQL server when
// Connect holds a connection string, and a table or query (RecordSource), and
// keeps its bound controls in step with the record.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/bound_control.h"
#include "data/recordset.h"
#include "data/recordset_observer.h"
#include "data/sqlite_connection.h"
#include "host/data_contract.h"

namespace qv::host {
class ControlFactory;
}

namespace qv::data {

class DataControl final : public host::DataControl, public RecordsetObserver {
  public:
    DataControl() = default;
    ~DataControl() override;

    // Registers the type "Data" with `factory` so form files can create it.
    static void registerType(host::ControlFactory& factory);

    // Control members plus Connect, DatabaseName, RecordSource, ReadOnly, Caption,
    // BusyTimeout (saved with the form) and Refresh.
    static const host::MemberRegistry& dataMembers();
    const host::MemberRegistry& members() const override { return dataMembers(); }

    // Opens the recordset on first use. Returns nullptr while DatabaseName or
    // RecordSource is empty; fails with the data error when it cannot open.
    std::shared_ptr<host::Recordset> recordset() override;
    std::shared_ptr<Recordset> dataRecordset();

    const std::string& databaseName() const { return m_databaseName; }
    void setDatabaseName(std::string name);
    // A PostgreSQL connection string (postgresql://... or key=value words);
    // empty for a SQLite file named by DatabaseName.
    const std::string& connect() const { return m_connect; }
    void setConnect(std::string connect);
    const std::string& recordSource() const { return m_recordSource; }
    void setRecordSource(std::string source);
    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // How long (milliseconds) a write waits for another program's lock
    // before it fails with Locked. Changing it reopens the database.
    std::int32_t busyTimeout() const { return m_busyTimeoutMs; }
    void setBusyTimeout(std::int32_t ms);
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    // The folder relative DatabaseName paths start from (the form file's).
    void setBaseFolder(std::filesystem::path folder) { m_baseFolder = std::move(folder); }
    // The file DatabaseName names, resolved against the base folder.
    std::filesystem::path databasePath() const;

    // Closes and reopens the recordset (dropping any pending change) and
    // shows its first record in the bound controls. Fails while a record
    // bar has a change pending.
    void refresh();

    // Adds a bound control; the data control keeps only a weak reference.
    void bind(const std::shared_ptr<BoundControl>& control);

    // RecordsetObserver. A record bar on the form that drives this control
    // owns the pending changes.
    void gatherEdits(Recordset& recordset) override;
    // A bound control whose value cannot be read or shown is emptied, and the
    // failure raises the Error event (error number, description).
    void recordChanged(Recordset& recordset) noexcept override;
    bool ownsPendingChange() override;

    // Asked by a bound control before the user's key changes it. Without a
    // record bar the key goes ahead (a move saves it). With one, a key while
    // nothing is pending starts an edit through the bar first; with no
    // current record, or when the edit does not begin, it is refused (with
    // a beep when nothing else told the user).
    bool allowTyping();
    // True while a record bar has a change pending here: the arrows, a
    // Refresh and every other move are refused until it is saved or cancelled.
    bool movesRefused();

    // A newly placed control shows its name as its caption, as "Data1" does.
    void hostInitProperties() override { m_caption = Name(); }
    void hostTerminate() override { close(); }

  private:
    void open();
    void close();
    // Raises the Error event for a failure no caller can be told of.
    void reportError(const host::Error& error) noexcept;
    // Binds the controls of the form that name this control in DataSource.
    void bindFormControls();
    // Fails with ItemNotFound when a bound control names a field the
    // recordset does not have.
    void requireBoundFields();
    std::vector<std::shared_ptr<BoundControl>> liveBoundControls();

    bool hasDatabase() const { return !m_connect.empty() || !m_databaseName.empty(); }

    std::string m_databaseName;
    std::string m_connect;
    std::string m_recordSource;
    bool m_readOnly = false;
    std::int32_t m_busyTimeoutMs = SqliteConnection::kDefaultBusyTimeoutMs;
    std::string m_caption;
    std::filesystem::path m_baseFolder;

    std::shared_ptr<DbConnection> m_connection;
    std::string m_connectionKey;  // path and mode the connection was opened with
    std::shared_ptr<Recordset> m_recordset;
    std::vector<std::weak_ptr<BoundControl>> m_bound;
};

}  // namespace qv::data
