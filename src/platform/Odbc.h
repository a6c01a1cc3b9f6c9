// A small ODBC layer: one owner per handle, a connection opened with a
// connection string, and prepared statements with bound parameters. Texts
// are UTF-8 here and travel to and from the driver as UTF-16 (the wide entry
// points only: the narrow ones are not usable everywhere the program runs).
// Every failure throws rt::Error carrying the driver's diagnostics.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/UniqueHandle.h"
#include "runtime/ErrorReport.h"

namespace tavlo::platform::odbc {

// The ODBC handle kinds (SQL_HANDLE_ENV, SQL_HANDLE_DBC, SQL_HANDLE_STMT).
enum HandleKind : short { EnvHandle = 1, DbcHandle = 2, StmtHandle = 3 };

// Frees a handle of that kind (SQLFreeHandle).
void freeHandle(HandleKind kind, void* handle) noexcept;

// The one owner of an ODBC handle of a kind: move-only, freed when dropped.
template <HandleKind Kind>
struct OdbcHandleTraits {
    using type = void*;
    static type invalid() { return nullptr; }
    static void close(type h) { freeHandle(Kind, h); }
};
template <HandleKind Kind>
using OdbcHandle = UniqueHandle<OdbcHandleTraits<Kind>>;

class Connection {
public:
    Connection() = default;
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Connects without a prompt (SQLDriverConnect). Throws rt::Error.
    void open(const std::string& connectionString);
    bool isOpen() const { return connected_; }
    void close() noexcept;
    // The name of the database product behind the driver ("SQLite", "ACCESS").
    std::string dbmsName();
    // Runs one statement without parameters.
    void execute(const std::string& sql);

private:
    friend class Statement;
    OdbcHandle<EnvHandle> env_;
    OdbcHandle<DbcHandle> dbc_;
    bool connected_ = false;
};

// A prepared statement. Parameters are bound in order of their markers.
class Statement {
public:
    Statement(Connection& connection, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(const std::string& text);
    Statement& bind(long number);
    // Runs it. False when an UPDATE or DELETE matched no row (SQL_NO_DATA).
    bool execute();
    // Moves to the next row of the result; false past the last one.
    bool fetch();
    // Column values of the current row (columns counted from 1); nothing for NULL.
    std::optional<std::string> text(int column);
    std::optional<long> integer(int column);
    // The rows an UPDATE, INSERT or DELETE touched.
    long rowCount();

private:
    struct Param;  // a bound value and its length, at a stable address
    Param& addParam();
    OdbcHandle<StmtHandle> stmt_;
    std::vector<std::unique_ptr<Param>> params_;
};

}  // namespace tavlo::platform::odbc
