// CImageList: an image list held by the object.
#include <afxcmn.h>

#include <map>
#include <memory>

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

struct ImageListMaps {
    std::map<HIMAGELIST, CImageList*> permanent;
    std::map<HIMAGELIST, std::unique_ptr<CImageList>> temporary;
};

ImageListMaps& ThreadImageListMaps()
{
    thread_local ImageListMaps maps;
    return maps;
}

} // namespace

CImageList::CImageList() : m_hImageList(NULL)
{
}

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return NULL;
    auto& permanent = ThreadImageListMaps().permanent;
    auto itPermanent = permanent.find(hImageList);
    if (itPermanent != permanent.end())
        return itPermanent->second;
    auto& temporary = ThreadImageListMaps().temporary;
    auto it = temporary.find(hImageList);
    if (it != temporary.end())
        return it->second.get();
    // A temporary object only refers to the list: it is detached before it goes.
    struct TemporaryImageList : CImageList {
        ~TemporaryImageList() override { m_hImageList = NULL; }
    };
    std::unique_ptr<CImageList> pTemp(new TemporaryImageList);
    pTemp->m_hImageList = hImageList;
    CImageList* pList = pTemp.get();
    temporary[hImageList] = std::move(pTemp);
    return pList;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL || m_hImageList != NULL)
        return FALSE;
    // A temporary object made for the list earlier would now refer to an owned list.
    ThreadImageListMaps().temporary.erase(hImageList);
    ThreadImageListMaps().permanent[hImageList] = this;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL) {
        auto& permanent = ThreadImageListMaps().permanent;
        auto it = permanent.find(hImageList);
        if (it != permanent.end() && it->second == this)
            permanent.erase(it);
    }
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ::ImageList_Destroy(Detach());
}
