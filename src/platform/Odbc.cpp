#include "platform/Odbc.h"

#include "platform/Utf.h"

#ifdef _WIN32
#include <windows.h>  // sql.h needs the Windows types first
#endif
#include <sql.h>
#include <sqlext.h>

namespace tavlo::platform::odbc {

static_assert(EnvHandle == SQL_HANDLE_ENV && DbcHandle == SQL_HANDLE_DBC && StmtHandle == SQL_HANDLE_STMT);
static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver's wide characters must be UTF-16");

void freeHandle(HandleKind kind, void* handle) noexcept { SQLFreeHandle(kind, handle); }

// ---- diagnostics -----------------------------------------------------------

namespace {

SQLWCHAR* wide(std::u16string& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

// The driver's diagnostic records of a handle, one line each.
std::string diagnostics(SQLSMALLINT kind, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT rec = 1; handle && rec <= 8; ++rec) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRecW(kind, handle, rec, state, &native, message,
                                            static_cast<SQLSMALLINT>(std::size(message)), &length);
        if (!SQL_SUCCEEDED(rc)) break;
        if (!text.empty()) text += "\n";
        text += toUtf8(std::u16string(reinterpret_cast<const char16_t*>(message)));
    }
    return text;
}

// Throws the diagnostics of a failed call as rt::Error.
void check(SQLRETURN rc, SQLSMALLINT kind, SQLHANDLE handle, const char* what) {
    if (SQL_SUCCEEDED(rc)) return;
    std::string text = diagnostics(kind, handle);
    if (text.empty()) text = std::string(what) + " failed (ODBC code " + std::to_string(rc) + ")";
    throw rt::Error(text);
}

}  // namespace

// ---- Connection --------------------------------------------------------------

void Connection::open(const std::string& connectionString) {
    close();
    SQLHANDLE env = SQL_NULL_HANDLE;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw rt::Error("The ODBC environment could not be created");
    env_.reset(env);
    check(SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          SQL_HANDLE_ENV, env, "SQLSetEnvAttr");
    SQLHANDLE dbc = SQL_NULL_HANDLE;
    check(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc), SQL_HANDLE_ENV, env, "SQLAllocHandle");
    dbc_.reset(dbc);
    std::u16string in = toUtf16(connectionString);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    check(SQLDriverConnectW(dbc, nullptr, wide(in), static_cast<SQLSMALLINT>(in.size()), out,
                            static_cast<SQLSMALLINT>(std::size(out)), &outLength, SQL_DRIVER_NOPROMPT),
          SQL_HANDLE_DBC, dbc, "SQLDriverConnect");
    connected_ = true;
}

void Connection::close() noexcept {
    if (connected_) SQLDisconnect(dbc_.get());
    connected_ = false;
    dbc_.reset();
    env_.reset();
}

std::string Connection::dbmsName() {
    if (!connected_) throw rt::Error("The database is not open");
    SQLWCHAR name[128] = {};
    SQLSMALLINT length = 0;
    check(SQLGetInfoW(dbc_.get(), SQL_DBMS_NAME, name, sizeof name, &length), SQL_HANDLE_DBC, dbc_.get(),
          "SQLGetInfo");
    return toUtf8(std::u16string(reinterpret_cast<const char16_t*>(name)));
}

void Connection::execute(const std::string& sql) { Statement(*this, sql).execute(); }

// ---- Statement -----------------------------------------------------------------

struct Statement::Param {
    std::u16string text;
    SQLINTEGER number = 0;
    SQLLEN indicator = 0;
};

Statement::Statement(Connection& connection, const std::string& sql) {
    if (!connection.isOpen()) throw rt::Error("The database is not open");
    SQLHANDLE stmt = SQL_NULL_HANDLE;
    check(SQLAllocHandle(SQL_HANDLE_STMT, connection.dbc_.get(), &stmt), SQL_HANDLE_DBC, connection.dbc_.get(),
          "SQLAllocHandle");
    stmt_.reset(stmt);
    std::u16string text = toUtf16(sql);
    check(SQLPrepareW(stmt, wide(text), static_cast<SQLINTEGER>(text.size())), SQL_HANDLE_STMT, stmt,
          "SQLPrepare");
}

Statement::~Statement() = default;

Statement::Param& Statement::addParam() { return *params_.emplace_back(std::make_unique<Param>()); }

Statement& Statement::bind(const std::string& text) {
    // Drivers cut a bound text at a NUL character: refuse it rather than
    // store or look up a shorter text than the caller gave.
    if (text.find('\0') != std::string::npos)
        throw rt::Error("A text holding a NUL character cannot be stored in the database");
    Param& p = addParam();
    p.text = toUtf16(text);
    p.indicator = static_cast<SQLLEN>(p.text.size() * sizeof(SQLWCHAR));
    // The column size counts characters; a driver refuses 0.
    const SQLULEN size = p.text.empty() ? 1 : p.text.size();
    check(SQLBindParameter(stmt_.get(), static_cast<SQLUSMALLINT>(params_.size()), SQL_PARAM_INPUT, SQL_C_WCHAR,
                           SQL_WVARCHAR, size, 0, wide(p.text), p.indicator, &p.indicator),
          SQL_HANDLE_STMT, stmt_.get(), "SQLBindParameter");
    return *this;
}

Statement& Statement::bind(long number) {
    Param& p = addParam();
    p.number = static_cast<SQLINTEGER>(number);
    p.indicator = 0;
    check(SQLBindParameter(stmt_.get(), static_cast<SQLUSMALLINT>(params_.size()), SQL_PARAM_INPUT, SQL_C_SLONG,
                           SQL_INTEGER, 0, 0, &p.number, 0, &p.indicator),
          SQL_HANDLE_STMT, stmt_.get(), "SQLBindParameter");
    return *this;
}

bool Statement::execute() {
    const SQLRETURN rc = SQLExecute(stmt_.get());
    if (rc == SQL_NO_DATA) return false;
    check(rc, SQL_HANDLE_STMT, stmt_.get(), "SQLExecute");
    return true;
}

bool Statement::fetch() {
    const SQLRETURN rc = SQLFetch(stmt_.get());
    if (rc == SQL_NO_DATA) return false;
    check(rc, SQL_HANDLE_STMT, stmt_.get(), "SQLFetch");
    return true;
}

std::optional<std::string> Statement::text(int column) {
    // Long text columns come in pieces: each call fills the buffer and ends it
    // with a terminator, until the last piece.
    constexpr size_t kChunk = 256;
    SQLWCHAR buffer[kChunk + 1];
    std::u16string value;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt_.get(), static_cast<SQLUSMALLINT>(column), SQL_C_WCHAR, buffer,
                                        sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;  // the whole value was read by earlier pieces
        check(rc, SQL_HANDLE_STMT, stmt_.get(), "SQLGetData");
        if (indicator == SQL_NULL_DATA) return std::nullopt;
        const bool whole = indicator != SQL_NO_TOTAL &&
                           static_cast<size_t>(indicator) / sizeof(SQLWCHAR) <= kChunk;
        const size_t got = whole ? static_cast<size_t>(indicator) / sizeof(SQLWCHAR) : kChunk;
        value.append(reinterpret_cast<const char16_t*>(buffer), got);
        if (whole) break;
    }
    return toUtf8(value);
}

std::optional<long> Statement::integer(int column) {
    SQLINTEGER number = 0;
    SQLLEN indicator = 0;
    check(SQLGetData(stmt_.get(), static_cast<SQLUSMALLINT>(column), SQL_C_SLONG, &number, sizeof number,
                     &indicator),
          SQL_HANDLE_STMT, stmt_.get(), "SQLGetData");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    return static_cast<long>(number);
}

long Statement::rowCount() {
    SQLLEN count = 0;
    check(SQLRowCount(stmt_.get(), &count), SQL_HANDLE_STMT, stmt_.get(), "SQLRowCount");
    return static_cast<long>(count);
}

}  // namespace tavlo::platform::odbc
