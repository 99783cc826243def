#include "ClientSetup.h"

namespace e2e {

ClientSetup::ClientSetup()
{
    const LONG userId = Fixture().AddUser(kUser, L"张工");
    Fixture().GrantRight(userId, L"Documentation", L"OutputFile");
    Fixture().SetCurrentUser(kUser);
    Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
}

} // namespace e2e
