// One client of the load test: opens a client folder, downloads the first COUNT light files of
// its database (by id) into OUT through the client's own objects, and checks each written file
// against the SHA-256 stored with it. Prints "files N failed M"; exit 0 when none failed.
// Usage: vault_load_client FOLDER OUT COUNT
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <comdef.h>
#include <objbase.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include <qvclient/Client.h>
#include <qvclient/Vault.h>

#include "ObjectDownload.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vault_load_client FOLDER OUT COUNT\n");
        return 1;
    }
    const std::string out = argv[2];
    std::filesystem::create_directories(out);
    CoInitialize(nullptr);
    qvclient::Client client;
    HRESULT hr = client.Open(winenv::FromUtf8(argv[1]));
    if (SUCCEEDED(hr))
        hr = client.RegisterComponents();
    if (FAILED(hr)) {
        std::fprintf(stderr, "cannot open %s (0x%08X): %ls\n", argv[1], static_cast<unsigned>(hr),
            client.GetOpenErrorText().c_str());
        return 2;
    }
    std::unique_ptr<qvclient::IDbCursor> cursor;
    hr = client.GetDatabase()->Query(
        L"SELECT l.OBJ_ID, s.SHA256 FROM T_LightFile l JOIN T_StoredFile s ON s.OBJ_ID = l.STOREDFILE_ID "
        L"ORDER BY l.OBJ_ID LIMIT ?",
        {qvclient::DbValue::Integer(std::atoll(argv[3]))}, cursor);
    if (FAILED(hr)) {
        std::fprintf(stderr, "cannot list the light files (0x%08X)\n", static_cast<unsigned>(hr));
        return 2;
    }
    int files = 0, failed = 0;
    for (; !cursor->IsEof(); cursor->MoveNext(), ++files) {
        const LONG id = static_cast<LONG>(cursor->GetValue(0).integer);
        const std::string path = out + "/" + std::to_string(id);
        hr = viztest::DownloadObjectFile(L"LightFile", id, winenv::FromPosixPath(path));
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (FAILED(hr) || qvclient::Sha256Hex(bytes) != winenv::ToUtf8(cursor->GetValue(1).text)) {
            std::fprintf(stderr, "light file %d: 0x%08X\n", static_cast<int>(id), static_cast<unsigned>(hr));
            ++failed;
        }
    }
    std::printf("files %d failed %d\n", files, failed);
    client.RevokeComponents();
    return failed == 0 && files > 0 ? 0 : 3;
}
