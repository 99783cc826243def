// The light file records and the guards that free owning lists.
#include <list>

#include <gtest/gtest.h>

#include "catalogue/AutoClean.h"
#include "catalogue/LightFileObj.h"
#include "signing/SignInfo.h"

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

// What the constructors must set: the strings and lists start empty on their own.
TEST(LightFileRecords, StartUnlinkedAndUncollected)
{
    CLightFileObj lightFile;
    EXPECT_EQ(nullptr, lightFile.m_pDocRev);
    CLightDocumentRevObj docRev;
    EXPECT_EQ(0, docRev.m_bSignCollected);
}

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

TEST(PtrListAutoClean, DeletesEveryElementAndEmptiesTheList)
{
    int destroyed = 0;
    CPtrList list(10);
    list.AddTail(new Tracked(&destroyed));
    list.AddTail(static_cast<void*>(nullptr));
    list.AddTail(new Tracked(&destroyed));
    {
        CPtrListAutoClean<Tracked> guard(&list);
    }
    EXPECT_EQ(2, destroyed);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(PtrListAutoClean, DetachedGuardLeavesListAlone)
{
    int destroyed = 0;
    CPtrList list(10);
    Tracked* pElement = new Tracked(&destroyed);
    list.AddTail(pElement);
    {
        CPtrListAutoClean<Tracked> guard(&list);
        guard.Detach();
    }
    EXPECT_EQ(0, destroyed);
    ASSERT_EQ(1, list.GetCount());
    EXPECT_EQ(pElement, list.GetHead());
    delete pElement;
}

TEST(ListAutoClean, DeletesThroughVirtualDestructorAndClears)
{
    int destroyed = 0;
    int derivedDestroyed = 0;
    std::list<TrackedBase*> list;
    list.push_back(new TrackedDerived(&destroyed, &derivedDestroyed));
    list.push_back(nullptr);
    list.push_back(new TrackedBase(&destroyed));
    {
        CListAutoClean<TrackedBase> guard(&list);
    }
    EXPECT_EQ(2, destroyed);
    EXPECT_EQ(1, derivedDestroyed);
    EXPECT_TRUE(list.empty());
}

TEST(ListAutoClean, DetachedGuardLeavesListAlone)
{
    int destroyed = 0;
    std::list<TrackedBase*> list;
    list.push_back(new TrackedBase(&destroyed));
    {
        CListAutoClean<TrackedBase> guard(&list);
        guard.Detach();
    }
    EXPECT_EQ(0, destroyed);
    ASSERT_EQ(1u, list.size());
    delete list.front();
}

} // namespace
