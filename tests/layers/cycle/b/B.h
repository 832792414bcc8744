#pragma once
#include "c/C.h"
