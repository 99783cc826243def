#include "catalogue/LightFileObj.h"

#include "catalogue/AutoClean.h"
#include "catalogue/SignInfo.h"

CLightFileObj::CLightFileObj()
    : m_pDocRev(NULL)
{
}

CLightDocumentRevObj::CLightDocumentRevObj()
    : m_lstSignInfo(10)
    , m_lstLightFile(10)
    , m_bSignCollected(0)
{
}

CLightDocumentRevObj::~CLightDocumentRevObj()
{
    // The signatures are ours; the light file records belong to an outside list.
    CPtrListAutoClean<CSignInfo> cleanSignatures(&m_lstSignInfo);
}
