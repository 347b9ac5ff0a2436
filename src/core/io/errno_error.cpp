#include "core/io/errno_error.h"

#include <cerrno>

namespace koravel {

ErrorCode ErrorFromErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case ETXTBSY:
      return ErrorCode::WritePermissionDenied;
    case EISDIR:
    case EROFS:
    case ENAMETOOLONG:
    case EINVAL:
      return ErrorCode::InvalidPathOrNotWritable;
    default:
      return ErrorCode::FileError;
  }
}

}  // namespace koravel
