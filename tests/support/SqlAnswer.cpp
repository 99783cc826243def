#include "SqlAnswer.h"

#include <memory>

#include <winenv/Trace.h>

namespace viztest {
namespace {

std::string Hex(const unsigned char* p, const unsigned char* end)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (; p != end; ++p)
        hex.append({kDigits[*p >> 4], kDigits[*p & 15]});
    return hex;
}

} // namespace

std::string AnswerOfSqlite(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* pStmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &pStmt, nullptr) != SQLITE_OK)
        return std::string("error: ") + sqlite3_errmsg(db);
    // The client runs a statement up to its first row as it makes the cursor.
    int rc = sqlite3_step(pStmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        const std::string error = std::string("error: ") + sqlite3_errmsg(db);
        sqlite3_finalize(pStmt);
        return error;
    }
    std::string answer;
    for (int i = 0; i < sqlite3_column_count(pStmt); ++i)
        answer += std::string(sqlite3_column_name(pStmt, i)) + "|";
    for (; rc == SQLITE_ROW; rc = sqlite3_step(pStmt)) {
        answer += "\n";
        for (int i = 0; i < sqlite3_column_count(pStmt); ++i) {
            const int type = sqlite3_column_type(pStmt, i); // before the text, which converts the value
            std::string text;
            if (type == SQLITE_BLOB) {
                const auto* pb = static_cast<const unsigned char*>(sqlite3_column_blob(pStmt, i));
                text = Hex(pb, pb + sqlite3_column_bytes(pStmt, i));
            } else if (const auto* psz = reinterpret_cast<const char*>(sqlite3_column_text(pStmt, i))) {
                text.assign(psz, sqlite3_column_bytes(pStmt, i));
            }
            answer += std::to_string(type) + ":" + text + "|";
        }
    }
    if (rc != SQLITE_DONE)
        answer += std::string("\nerror: ") + sqlite3_errmsg(db);
    sqlite3_finalize(pStmt);
    return answer;
}

std::string AnswerOfClient(qvclient::IDatabase& db, const std::string& sql)
{
    std::unique_ptr<qvclient::IDbCursor> cursor;
    if (FAILED(db.Query(winenv::FromUtf8(sql), {}, cursor)))
        return "error: " + winenv::ToUtf8(db.GetLastErrorText());
    std::string answer;
    for (int i = 0; i < cursor->GetColumnCount(); ++i)
        answer += winenv::ToUtf8(cursor->GetColumnName(i)) + "|";
    static const int kSqliteType[] = {SQLITE_NULL, SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB};
    HRESULT hr = S_OK;
    for (; !cursor->IsEof() && SUCCEEDED(hr); hr = cursor->MoveNext()) {
        answer += "\n";
        for (int i = 0; i < cursor->GetColumnCount(); ++i) {
            const qvclient::DbValue value = cursor->GetValue(i);
            std::string text;
            switch (value.type) {
            case qvclient::DbValue::Type::Null: break;
            case qvclient::DbValue::Type::Integer: text = std::to_string(value.integer); break;
            case qvclient::DbValue::Type::Real: {
                sqlite3_str* p = sqlite3_str_new(nullptr);
                sqlite3_str_appendf(p, "%!.15g", value.real); // as sqlite3_column_text writes a real
                char* psz = sqlite3_str_finish(p);
                text = psz;
                sqlite3_free(psz);
                break;
            }
            case qvclient::DbValue::Type::Text: text = winenv::ToUtf8(value.text); break;
            case qvclient::DbValue::Type::Blob: text = Hex(value.blob.data(), value.blob.data() + value.blob.size()); break;
            }
            answer += std::to_string(kSqliteType[static_cast<int>(value.type)]) + ":" + text + "|";
        }
    }
    if (FAILED(hr))
        answer += "\nerror: " + winenv::ToUtf8(db.GetLastErrorText());
    return answer;
}

} // namespace viztest
