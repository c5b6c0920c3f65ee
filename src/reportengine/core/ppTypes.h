// The engine's exception family.
#pragma once

#include "platform/rtl/Exceptions.h"

// Every error the engine raises itself belongs to this family.
TAVORIN_DECLARE_EXCEPTION(EVediduRizererError, Exception)
// Failures while generating or printing pages.
TAVORIN_DECLARE_EXCEPTION(EPrintError, EVediduRizererError)
