// The database layer's rows: every value stored through a statement parameter reads back with
// its type and content, under the column name the query gave, and becomes the VARIANT the client
// hands on.
//
// Input: the column's name on the first line, then one value per line, its type first:
// "i" integer, "r" real (as strtod reads it), "t" text, "b" blob, "n" null.
#include "qvclient/Database.h"

#include <winenv/Trace.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using qvclient::DbValue;

namespace {

[[noreturn]] void Fail(const char* what, size_t nRow)
{
    std::fprintf(stderr, "db rows: %s (row %zu)\n", what, nRow);
    std::abort();
}

std::vector<DbValue> ParseValues(const std::string& lines)
{
    std::vector<DbValue> values;
    for (size_t start = 0; start < lines.size() && values.size() < 32;) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos)
            end = lines.size();
        const std::string line = lines.substr(start, end - start);
        start = end + 1;
        if (line.empty())
            continue;
        const std::string rest = line.substr(1);
        switch (line[0]) {
        case 'i': values.push_back(DbValue::Integer(std::strtoll(rest.c_str(), nullptr, 0))); break;
        case 'r': values.push_back(DbValue::Real(std::strtod(rest.c_str(), nullptr))); break;
        case 't': values.push_back(DbValue::Text(winenv::FromUtf8(rest))); break;
        case 'b': values.push_back(DbValue::Blob(std::vector<BYTE>(rest.begin(), rest.end()))); break;
        case 'n': values.push_back(DbValue::Null()); break;
        default: break;
        }
    }
    return values;
}

// What the engine gives back for a value stored in a column without a declared type: a NaN is
// stored as NULL, and a real keeps its value but not the sign of a zero.
DbValue Expected(const DbValue& stored)
{
    if (stored.type == DbValue::Type::Real && std::isnan(stored.real))
        return DbValue::Null();
    return stored;
}

bool SameValue(const DbValue& a, const DbValue& b)
{
    if (a.type != b.type)
        return false;
    switch (a.type) {
    case DbValue::Type::Null: return true;
    case DbValue::Type::Integer: return a.integer == b.integer;
    case DbValue::Type::Real: return a.real == b.real;
    case DbValue::Type::Text: return a.text == b.text;
    case DbValue::Type::Blob: return a.blob == b.blob;
    }
    return false;
}

void CheckVariant(const DbValue& value, size_t nRow)
{
    VARIANT var;
    if (FAILED(qvclient::DbValueToVariant(value, &var)))
        Fail("no VARIANT", nRow);
    bool bSame = false;
    switch (value.type) {
    case DbValue::Type::Null: bSame = var.vt == VT_NULL; break;
    case DbValue::Type::Integer:
        bSame = value.integer == static_cast<LONG>(value.integer) ? var.vt == VT_I4 && var.lVal == value.integer
                                                                    : var.vt == VT_I8 && var.llVal == value.integer;
        break;
    case DbValue::Type::Real: bSame = var.vt == VT_R8 && var.dblVal == value.real; break;
    case DbValue::Type::Text:
        bSame = var.vt == VT_BSTR && SysStringLen(var.bstrVal) == value.text.size()
            && std::wmemcmp(var.bstrVal, value.text.data(), value.text.size()) == 0;
        break;
    case DbValue::Type::Blob: {
        LONG lUpper = -1;
        bSame = var.vt == (VT_ARRAY | VT_UI1) && SafeArrayGetDim(var.parray) == 1
            && SUCCEEDED(SafeArrayGetUBound(var.parray, 1, &lUpper))
            && static_cast<size_t>(lUpper + 1) == value.blob.size();
        void* pData = nullptr;
        if (bSame && !value.blob.empty() && SUCCEEDED(SafeArrayAccessData(var.parray, &pData))) {
            bSame = std::memcmp(pData, value.blob.data(), value.blob.size()) == 0;
            SafeArrayUnaccessData(var.parray);
        }
        break;
    }
    }
    VariantClear(&var);
    if (!bSame)
        Fail("the VARIANT differs from the value", nRow);
}

std::wstring Quoted(const std::wstring& name)
{
    std::wstring text = L"\"";
    for (wchar_t c : name)
        text += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return text + L"\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::unique_ptr<qvclient::IDatabase> database = [] {
        std::unique_ptr<qvclient::IDatabase> db;
        if (FAILED(qvclient::OpenSqliteDatabase(":memory:", qvclient::DbOpenMode::Create, db))
            || FAILED(db->ExecuteScript(L"CREATE TABLE t (v)")))
            std::abort();
        return db;
    }();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    std::wstring column = winenv::FromUtf8(input.substr(0, newline));
    // SQLite reads the statement only up to a NUL.
    column.erase(std::remove(column.begin(), column.end(), L'\0'), column.end());
    const std::vector<DbValue> values = ParseValues(newline == std::string::npos ? "" : input.substr(newline + 1));

    if (FAILED(database->Execute(L"DELETE FROM t")))
        Fail("cannot empty the table", 0);
    for (size_t i = 0; i < values.size(); ++i)
        if (FAILED(database->Execute(L"INSERT INTO t (v) VALUES (?)", {values[i]})))
            Fail("insert failed", i);

    std::unique_ptr<qvclient::IDbCursor> cursor;
    // Qualified: a bare "rowid" would name the result column when the column is called so.
    if (FAILED(database->Query(L"SELECT v AS " + Quoted(column) + L" FROM t ORDER BY t.rowid", {}, cursor)))
        Fail("query failed", 0);
    if (cursor->GetColumnCount() != 1 || cursor->GetColumnName(0) != column || cursor->FindColumn(column) != 0
        || cursor->FindColumn(column + L"_") != -1)
        Fail("the column is not found by its name", 0);
    size_t nRow = 0;
    for (; !cursor->IsEof(); ++nRow) {
        if (nRow >= values.size())
            Fail("more rows than values", nRow);
        const DbValue value = cursor->GetValue(0);
        if (!SameValue(value, Expected(values[nRow])))
            Fail("the value read differs from the value stored", nRow);
        if (!cursor->GetValue(1).IsNull() || !cursor->GetValue(-1).IsNull())
            Fail("a column beyond the row has a value", nRow);
        CheckVariant(value, nRow);
        if (FAILED(cursor->MoveNext()))
            Fail("the next row failed", nRow);
    }
    if (nRow != values.size())
        Fail("rows missing", nRow);
    if (cursor->MoveNext() == S_OK || !cursor->GetValue(0).IsNull())
        Fail("a row past the end", nRow);
    return 0;
}
