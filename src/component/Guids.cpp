// The identifiers of the type library, its classes and interfaces, defined
// once for the whole DLL from the header that widl writes.
#include <windows.h>

#include <initguid.h>

#include "Tollivor_h.h"
