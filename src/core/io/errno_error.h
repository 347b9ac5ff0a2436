#pragma once

#include "core/error_code.h"

namespace koravel {

/// The error the user sees for a failed file operation with errno `error`:
/// the one table for every file the program writes.
ErrorCode ErrorFromErrno(int error);

}  // namespace koravel
