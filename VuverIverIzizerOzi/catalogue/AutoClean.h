// Scope guards that delete the elements of an owning list of raw pointers.
#pragma once

#include <list>

#include <afxwin.h>
#include <afxcoll.h>

// Deletes every T* of a CPtrList when it goes out of scope and leaves the list empty but usable.
// The list itself is not owned.
template <class T>
class CPtrListAutoClean {
public:
    explicit CPtrListAutoClean(CPtrList* pList)
        : m_pList(pList)
        , m_bDetached(false)
    {
    }

    virtual ~CPtrListAutoClean()
    {
        if (m_bDetached)
            return;
        POSITION pos = m_pList->GetHeadPosition();
        while (pos != NULL) {
            T* pElement = static_cast<T*>(m_pList->GetNext(pos));
            if (pElement != NULL)
                delete pElement;
        }
        m_pList->RemoveAll();
    }

    // The list and its elements are left alone from now on.
    void Detach() { m_bDetached = true; }

private:
    CPtrListAutoClean(const CPtrListAutoClean&);
    CPtrListAutoClean& operator=(const CPtrListAutoClean&);

    CPtrList* m_pList;
    bool m_bDetached;
};

// The same guard over a standard list of T*; T has a virtual destructor.
template <class T>
class CListAutoClean {
public:
    explicit CListAutoClean(std::list<T*>* pList)
        : m_pList(pList)
        , m_bDetached(false)
    {
    }

    virtual ~CListAutoClean()
    {
        if (m_bDetached)
            return;
        for (typename std::list<T*>::iterator it = m_pList->begin(); it != m_pList->end(); ++it) {
            if (*it != NULL) {
                delete *it;
                *it = NULL;
            }
        }
        m_pList->clear();
    }

    void Detach() { m_bDetached = true; }

private:
    CListAutoClean(const CListAutoClean&);
    CListAutoClean& operator=(const CListAutoClean&);

    std::list<T*>* m_pList;
    bool m_bDetached;
};
