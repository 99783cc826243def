#include "vault/ReplacingFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace qvclient {
namespace {

std::atomic<unsigned> s_nextTemporary{0};

} // namespace

ReplacingFile::~ReplacingFile()
{
    Discard();
}

HRESULT ReplacingFile::Create(const std::string& target)
{
    Discard();
    m_target = target;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[48];
        std::snprintf(suffix, sizeof suffix, ".%d-%u.tmp", static_cast<int>(::getpid()), s_nextTemporary++);
        const std::string temporary = target + suffix;
        const HRESULT hr = m_file.CreateNew(temporary);
        if (SUCCEEDED(hr)) {
            m_temporary = temporary;
            return S_OK;
        }
        if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
            return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        if (hr != HRESULT_FROM_WIN32(ERROR_FILE_EXISTS))
            return hr;
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}

HRESULT ReplacingFile::Write(const void* pData, size_t cb)
{
    return m_temporary.empty() ? E_UNEXPECTED : m_file.Write(pData, cb);
}

HRESULT ReplacingFile::Commit()
{
    if (m_temporary.empty())
        return E_UNEXPECTED;
    HRESULT hr = m_file.Close();
    if (SUCCEEDED(hr) && ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        hr = HResultFromErrno(errno);
    if (FAILED(hr)) {
        Discard();
        return hr;
    }
    m_temporary.clear();
    return S_OK;
}

void ReplacingFile::Discard()
{
    if (m_temporary.empty())
        return;
    m_file.Close();
    ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

} // namespace qvclient
