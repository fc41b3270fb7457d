// The identifiers of the type library, its classes and interfaces, defined
// once from the header that widl writes, for the DLL, the sample host and
// the tests alike.
#include <windows.h>

#include <initguid.h>

#include "Tollivor_h.h"
