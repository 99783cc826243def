// The light file records and the guards that free owning lists.
#include <list>

#include <gtest/gtest.h>

#include "catalogue/AutoClean.h"
#include "catalogue/LightFileObj.h"
#include "catalogue/SignInfo.h"

namespace {

struct Tracked {
    explicit Tracked(int* destroyed) : m_destroyed(destroyed) {}
    ~Tracked() { ++*m_destroyed; }
    int* m_destroyed;
};

struct TrackedBase {
    explicit TrackedBase(int* destroyed) : m_destroyed(destroyed) {}
    virtual ~TrackedBase() { ++*m_destroyed; }
    int* m_destroyed;
};

struct TrackedDerived : TrackedBase {
    TrackedDerived(int* destroyed, int* derivedDestroyed) : TrackedBase(destroyed), m_derived(derivedDestroyed) {}
    ~TrackedDerived() override { ++*m_derived; }
    int* m_derived;
};

TEST(LightFileRecords, RevisionFreesItsSignaturesButNotItsLightFiles)
{
    CLightFileObj* pLightFile = new CLightFileObj;
    pLightFile->m_strName = L"A-01.pdf";
    {
        CLightDocumentRevObj docRev;
        docRev.m_lstSignInfo.AddTail(new CSignInfo);
        docRev.m_lstSignInfo.AddTail(new CSignInfo);
        docRev.m_lstLightFile.AddTail(pLightFile);
        pLightFile->m_pDocRev = &docRev;
    }
    // Still a live record (AddressSanitizer would catch a freed one).
    EXPECT_EQ(CString(L"A-01.pdf"), pLightFile->m_strName);
    delete pLightFile;
}

// A guard deletes every element (nulls included) and empties the list; a detached one leaves both.
TEST(PtrListAutoClean, DeletesEveryElementUnlessDetached)
{
    for (const bool detach : {false, true}) {
        int destroyed = 0;
        CPtrList list(10);
        list.AddTail(new Tracked(&destroyed));
        list.AddTail(static_cast<void*>(nullptr));
        list.AddTail(new Tracked(&destroyed));
        {
            CPtrListAutoClean<Tracked> guard(&list);
            if (detach)
                guard.Detach();
        }
        EXPECT_EQ(detach ? 0 : 2, destroyed) << detach;
        EXPECT_EQ(detach ? 3 : 0, list.GetCount()) << detach;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            delete static_cast<Tracked*>(list.GetNext(pos));
    }
}

TEST(ListAutoClean, DeletesThroughVirtualDestructorUnlessDetached)
{
    for (const bool detach : {false, true}) {
        int destroyed = 0;
        int derivedDestroyed = 0;
        std::list<TrackedBase*> list;
        list.push_back(new TrackedDerived(&destroyed, &derivedDestroyed));
        list.push_back(nullptr);
        list.push_back(new TrackedBase(&destroyed));
        {
            CListAutoClean<TrackedBase> guard(&list);
            if (detach)
                guard.Detach();
        }
        EXPECT_EQ(detach ? 0 : 2, destroyed) << detach;
        EXPECT_EQ(detach ? 0 : 1, derivedDestroyed) << detach;
        EXPECT_EQ(detach ? 3u : 0u, list.size()) << detach;
        for (TrackedBase* p : list)
            delete p;
    }
}

} // namespace
