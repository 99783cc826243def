// The client's database engine as cross-built for Windows: a database under a Chinese file name
// (SQLite takes UTF-8 and must reach the wide Win32 file API with it), and the same compile-time
// options as the Linux build's library, so the client's SQL means the same on both.
// Arguments: a folder for the database, and the Linux library's "PRAGMA compile_options" list.
// Prints one line per failed check; the exit code is the number of failures.
#include <windows.h>
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

namespace {

int g_nFailures = 0;

void Check(bool bOk, const char* pszWhat, const std::string& strDetail)
{
    if (!bOk) {
        ++g_nFailures;
        std::printf("FAILED: %s %s\n", pszWhat, strDetail.c_str());
    }
}

std::string Utf8(const std::wstring& str)
{
    std::string strOut(WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, NULL, 0, NULL, NULL), '\0');
    WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, &strOut[0], (int)strOut.size(), NULL, NULL);
    strOut.pop_back();
    return strOut;
}

std::string Exec(sqlite3* db, const char* pszSql, const char* pszText = nullptr)
{
    sqlite3_stmt* pStmt = nullptr;
    std::string strRows;
    if (sqlite3_prepare_v2(db, pszSql, -1, &pStmt, nullptr) != SQLITE_OK)
        return std::string("error: ") + sqlite3_errmsg(db);
    if (pszText)
        sqlite3_bind_text(pStmt, 1, pszText, -1, SQLITE_TRANSIENT);
    while (sqlite3_step(pStmt) == SQLITE_ROW)
        strRows += std::string(reinterpret_cast<const char*>(sqlite3_column_text(pStmt, 0))) + "\n";
    sqlite3_finalize(pStmt);
    return strRows;
}

void CheckChineseFileName(const std::wstring& strFolder)
{
    const std::wstring strPath = strFolder + L"\\数据库 1.db";
    const char* const pszName = "图纸 Drawing:118";
    DeleteFileW(strPath.c_str());
    sqlite3* db = nullptr;
    Check(sqlite3_open(Utf8(strPath).c_str(), &db) == SQLITE_OK, "open", Utf8(strPath));
    Exec(db, "CREATE TABLE T(Name TEXT)");
    Exec(db, "INSERT INTO T VALUES(?)", pszName);
    sqlite3_close(db);
    Check(GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES, "file under its wide name", Utf8(strPath));
    sqlite3_open_v2(Utf8(strPath).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::string strRows = Exec(db, "SELECT Name FROM T");
    Check(strRows == std::string(pszName) + "\n", "text read back", strRows);
    sqlite3_close(db);
}

// Options that name the compiler or the platform's own primitives differ by nature.
bool IsPlatformOption(const std::string& strOption)
{
    return strOption.rfind("COMPILER=", 0) == 0 || strOption.rfind("MUTEX_", 0) == 0 || strOption.rfind("HAVE_", 0) == 0
        || strOption.rfind("OS_", 0) == 0;
}

void CheckOptions(const std::wstring& strLinuxList)
{
    std::set<std::string> linux, windows;
    std::ifstream in(strLinuxList.c_str());
    for (std::string strLine; std::getline(in, strLine);)
        if (!IsPlatformOption(strLine))
            linux.insert(strLine);
    Check(!linux.empty(), "the Linux library's options in", Utf8(strLinuxList));
    for (int i = 0; const char* pszOption = sqlite3_compileoption_get(i); ++i)
        if (!IsPlatformOption(pszOption))
            windows.insert(pszOption);
    for (const std::string& strOption : linux)
        Check(windows.count(strOption) != 0, "Windows build lacks", strOption);
    for (const std::string& strOption : windows)
        Check(linux.count(strOption) != 0, "Windows build adds", strOption);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::printf("usage: SqliteOnWine FOLDER LINUX_COMPILE_OPTIONS\n");
        return 1;
    }
    CheckChineseFileName(argv[1]);
    CheckOptions(argv[2]);
    std::printf("%s\n", g_nFailures == 0 ? "ok" : "failed");
    return g_nFailures;
}
