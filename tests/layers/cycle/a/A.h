#pragma once
#include "b/B.h"
