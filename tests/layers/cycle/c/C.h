#pragma once
#include "a/A.h"
