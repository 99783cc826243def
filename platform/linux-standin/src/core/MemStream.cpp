// SHCreateMemStream: a stream over its own copy of the bytes, growing as it is written.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <vector>

#include <objidl.h>
#include <shlwapi.h>

namespace {

class MemStream final : public IStream {
public:
    MemStream(const BYTE* pInit, UINT cbInit) : m_bytes(pInit, pInit + (pInit ? cbInit : 0)) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) || IsEqualIID(riid, IID_IStream)) {
            *ppv = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }

    STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        if (!pv)
            return STG_E_INVALIDPOINTER;
        const size_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const ULONG n = static_cast<ULONG>(std::min<size_t>(cb, available));
        if (n > 0)
            std::memcpy(pv, m_bytes.data() + m_position, n);
        m_position += n;
        if (pcbRead)
            *pcbRead = n;
        return S_OK;
    }
    STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        if (!pv)
            return STG_E_INVALIDPOINTER;
        if (m_position + cb > m_bytes.size())
            m_bytes.resize(m_position + cb);
        if (cb > 0)
            std::memcpy(m_bytes.data() + m_position, pv, cb);
        m_position += cb;
        if (pcbWritten)
            *pcbWritten = cb;
        return S_OK;
    }
    STDMETHODIMP Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin, ULARGE_INTEGER* plibNewPosition) override
    {
        LONGLONG base = 0;
        switch (dwOrigin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(m_position); break;
        case STREAM_SEEK_END: base = static_cast<LONGLONG>(m_bytes.size()); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        const LONGLONG target = base + dlibMove.QuadPart;
        if (target < 0)
            return STG_E_INVALIDFUNCTION;
        m_position = static_cast<size_t>(target);
        if (plibNewPosition)
            plibNewPosition->QuadPart = static_cast<ULONGLONG>(target);
        return S_OK;
    }
    STDMETHODIMP SetSize(ULARGE_INTEGER libNewSize) override
    {
        m_bytes.resize(static_cast<size_t>(libNewSize.QuadPart));
        return S_OK;
    }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return S_OK; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP Stat(STATSTG* pstatstg, DWORD) override
    {
        if (!pstatstg)
            return STG_E_INVALIDPOINTER;
        std::memset(pstatstg, 0, sizeof(*pstatstg));
        pstatstg->type = STGTY_STREAM;
        pstatstg->cbSize.QuadPart = m_bytes.size();
        return S_OK;
    }
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    ~MemStream() = default;

    std::atomic<ULONG> m_refs{1};
    std::vector<BYTE> m_bytes;
    size_t m_position = 0;
};

} // namespace

extern "C" IStream* WINAPI SHCreateMemStream(const BYTE* pInit, UINT cbInit)
{
    return new (std::nothrow) MemStream(pInit, cbInit);
}
