// The picture and file writers live with the other drivers.
#pragma once
#include "driver.h"
