#pragma once

#include "BCFLib/SafeIdentifier.h"
