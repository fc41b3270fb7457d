// Resource identifiers of Sysgate.dll.
#pragma once

#define IDI_GROUP 10  // the default group icon: 32, 48 and 64 pixels
