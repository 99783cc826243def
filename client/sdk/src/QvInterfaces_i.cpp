// The class ids that QvInterfaces.h declares with DEFINE_GUID, defined once for every binary that
// links the SDK (as MIDL's _i.c file is compiled into the client's uuid library).
#include <initguid.h>

#include <QvInterfaces.h>
