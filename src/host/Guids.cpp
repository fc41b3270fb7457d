// The type library's identifiers, defined once for the host.
#include <windows.h>

#include <initguid.h>

#include "Tollivor_h.h"
