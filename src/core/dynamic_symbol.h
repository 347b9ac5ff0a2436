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

/// A function to take from a library: its symbol's name and the pointer
/// that is to point at it.
template <typename Function>
struct SymbolBinding {
  const char* name;
  Function* function;
};

// Spelt out for compilers without deduction for aggregates (clang before 17).
template <typename Function>
SymbolBinding(const char*, Function*) -> SymbolBinding<Function>;

/// Resolves every one of `bindings` in `library`; false at the first symbol
/// the library lacks.
template <typename... Functions>
bool ResolveSymbols(void* library, SymbolBinding<Functions>... bindings) {
  return (ResolveSymbol(library, bindings.name, *bindings.function) && ...);
}

}  // namespace koravel
