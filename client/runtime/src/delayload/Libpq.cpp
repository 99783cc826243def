// libpq, loaded on the first call: a client on SQLite never maps libpq and the dozen libraries it
// brings.
#include "delayload/DelayLoad.h"

// The stubs stay inside the client; its users link libpq themselves when they call it.
#pragma GCC visibility push(hidden)
#include <libpq-fe.h>
#pragma GCC visibility pop

#define VIZ_LIBPQ "libpq.so.5"

VIZ_DELAY_LOAD(VIZ_LIBPQ, PGconn*, PQconnectdb, (const char* conninfo), (conninfo))
VIZ_DELAY_LOAD(VIZ_LIBPQ, void, PQfinish, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, ConnStatusType, PQstatus, (const PGconn* conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, char*, PQerrorMessage, (const PGconn* conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQsocket, (const PGconn* conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQsetnonblocking, (PGconn * conn, int arg), (conn, arg))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQflush, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQconsumeInput, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQisBusy, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, PQnoticeProcessor, PQsetNoticeProcessor, (PGconn * conn, PQnoticeProcessor proc, void* arg),
    (conn, proc, arg))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQsendQuery, (PGconn * conn, const char* query), (conn, query))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQsendQueryParams,
    (PGconn * conn, const char* command, int nParams, const Oid* paramTypes, const char* const* paramValues,
        const int* paramLengths, const int* paramFormats, int resultFormat),
    (conn, command, nParams, paramTypes, paramValues, paramLengths, paramFormats, resultFormat))
VIZ_DELAY_LOAD(VIZ_LIBPQ, PGresult*, PQgetResult, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, ExecStatusType, PQresultStatus, (const PGresult* res), (res))
VIZ_DELAY_LOAD(VIZ_LIBPQ, char*, PQresultErrorMessage, (const PGresult* res), (res))
VIZ_DELAY_LOAD(VIZ_LIBPQ, char*, PQresultErrorField, (const PGresult* res, int fieldcode), (res, fieldcode))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQntuples, (const PGresult* res), (res))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQnfields, (const PGresult* res), (res))
VIZ_DELAY_LOAD(VIZ_LIBPQ, char*, PQfname, (const PGresult* res, int field_num), (res, field_num))
VIZ_DELAY_LOAD(VIZ_LIBPQ, Oid, PQftype, (const PGresult* res, int field_num), (res, field_num))
VIZ_DELAY_LOAD(VIZ_LIBPQ, char*, PQgetvalue, (const PGresult* res, int tup_num, int field_num), (res, tup_num, field_num))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQgetlength, (const PGresult* res, int tup_num, int field_num), (res, tup_num, field_num))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQgetisnull, (const PGresult* res, int tup_num, int field_num), (res, tup_num, field_num))
VIZ_DELAY_LOAD(VIZ_LIBPQ, void, PQclear, (PGresult * res), (res))
VIZ_DELAY_LOAD(VIZ_LIBPQ, unsigned char*, PQunescapeBytea, (const unsigned char* strtext, size_t* retbuflen),
    (strtext, retbuflen))
VIZ_DELAY_LOAD(VIZ_LIBPQ, void, PQfreemem, (void* ptr), (ptr))
VIZ_DELAY_LOAD(VIZ_LIBPQ, PGcancel*, PQgetCancel, (PGconn * conn), (conn))
VIZ_DELAY_LOAD(VIZ_LIBPQ, void, PQfreeCancel, (PGcancel * cancel), (cancel))
VIZ_DELAY_LOAD(VIZ_LIBPQ, int, PQcancel, (PGcancel * cancel, char* errbuf, int errbufsize), (cancel, errbuf, errbufsize))
VIZ_DELAY_LOAD(VIZ_LIBPQ, PQconninfoOption*, PQconninfoParse, (const char* conninfo, char** errmsg), (conninfo, errmsg))
VIZ_DELAY_LOAD(VIZ_LIBPQ, void, PQconninfoFree, (PQconninfoOption * connOptions), (connOptions))
