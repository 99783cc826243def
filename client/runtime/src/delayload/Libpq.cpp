// libpq, loaded on the first call as a delay-loaded DLL is: the client links these stubs instead
// of the library, so a client on SQLite never maps libpq and the dozen libraries it brings.
// Each stub finds its function once and then only forwards. Like a delay-load failure on Windows,
// a libpq that cannot be loaded ends the process, with the loader's reason.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

// The stubs stay inside the client; its users link libpq themselves when they call it.
#pragma GCC visibility push(hidden)
#include <libpq-fe.h>
#pragma GCC visibility pop

namespace {

void* Libpq()
{
    static void* const handle = dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
    return handle;
}

[[noreturn]] void Fail(const char* name)
{
    const char* reason = dlerror();
    std::fprintf(stderr, "libpq.so.5: cannot load %s: %s\n", name, reason != nullptr ? reason : "no reason given");
    std::abort();
}

template <typename Function>
Function Resolve(const char* name)
{
    void* const handle = Libpq();
    void* const address = handle != nullptr ? dlsym(handle, name) : nullptr;
    if (address == nullptr)
        Fail(name);
    return reinterpret_cast<Function>(address);
}

} // namespace

#define VIZ_DELAY_LOAD(result, name, params, args)                                                         \
    extern "C" result name params                                                                          \
    {                                                                                                      \
        static const auto pfn = Resolve<decltype(&::name)>(#name);                                          \
        return pfn args;                                                                                   \
    }

VIZ_DELAY_LOAD(PGconn*, PQconnectdb, (const char* conninfo), (conninfo))
VIZ_DELAY_LOAD(void, PQfinish, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(ConnStatusType, PQstatus, (const PGconn* conn), (conn))
VIZ_DELAY_LOAD(char*, PQerrorMessage, (const PGconn* conn), (conn))
VIZ_DELAY_LOAD(int, PQsocket, (const PGconn* conn), (conn))
VIZ_DELAY_LOAD(int, PQsetnonblocking, (PGconn * conn, int arg), (conn, arg))
VIZ_DELAY_LOAD(int, PQflush, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(int, PQconsumeInput, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(int, PQisBusy, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(PQnoticeProcessor, PQsetNoticeProcessor, (PGconn * conn, PQnoticeProcessor proc, void* arg),
    (conn, proc, arg))
VIZ_DELAY_LOAD(int, PQsendQuery, (PGconn * conn, const char* query), (conn, query))
VIZ_DELAY_LOAD(int, PQsendQueryParams,
    (PGconn * conn, const char* command, int nParams, const Oid* paramTypes, const char* const* paramValues,
        const int* paramLengths, const int* paramFormats, int resultFormat),
    (conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats, resultFormat))
VIZ_DELAY_LOAD(PGresult*, PQgetResult, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(ExecStatusType, PQresultStatus, (const PGresult* res), (res))
VIZ_DELAY_LOAD(char*, PQresultErrorMessage, (const PGresult* res), (res))
VIZ_DELAY_LOAD(char*, PQresultErrorField, (const PGresult* res, int fieldcode), (res, fieldcode))
VIZ_DELAY_LOAD(int, PQntuples, (const PGresult* res), (res))
VIZ_DELAY_LOAD(int, PQnfields, (const PGresult* res), (res))
VIZ_DELAY_LOAD(char*, PQfname, (const PGresult* res, int field_num), (res, field_num))
VIZ_DELAY_LOAD(Oid, PQftype, (const PGresult* res, int field_num), (res, field_num))
VIZ_DELAY_LOAD(char*, PQgetvalue, (const PGresult* res, int tup_num, int field_num), (res, tup_num, field_num))
VIZ_DELAY_LOAD(int, PQgetlength, (const PGresult* res, int tup_num, int field_num), (res, tup_num, field_num))
VIZ_DELAY_LOAD(int, PQgetisnull, (const PGresult* res, int tup_num, int field_num), (res, tup_num, field_num))
VIZ_DELAY_LOAD(void, PQclear, (PGresult * res), (res))
VIZ_DELAY_LOAD(unsigned char*, PQunescapeBytea, (const unsigned char* strtext, size_t* retbuflen),
    (strtext, retbuflen))
VIZ_DELAY_LOAD(void, PQfreemem, (void* ptr), (ptr))
VIZ_DELAY_LOAD(PGcancel*, PQgetCancel, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(void, PQfreeCancel, (PGcancel * cancel), (cancel))
VIZ_DELAY_LOAD(int, PQcancel, (PGcancel * cancel, char* errbuf, int errbufsize), (cancel, errbuf, errbufsize))
VIZ_DELAY_LOAD(PQconninfoOption*, PQconninfoParse, (const char* conninfo, char** errmsg), (conninfo, errmsg))
VIZ_DELAY_LOAD(void, PQconninfoFree, (PQconninfoOption * connOptions), (connOptions))
