#pragma once

#include <dlfcn.h>

namespace koravel {

/// Points `function` at the symbol `name` of `library`, a handle from
/// dlopen; false when the library has no such symbol.
template <typename Function>
bool ResolveSymbol(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

}  // namespace koravel
