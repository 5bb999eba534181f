#include "cups_library.h"

#include <dlfcn.h>

namespace plexaro {

const CupsLibrary* cupsLibrary() {
  // Never freed, like the library itself: a print thread that outlives the
  // window may still be on its way out of libcups while the program ends.
  static const CupsLibrary* const opened = []() -> const CupsLibrary* {
    void* handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    auto* library = new CupsLibrary;
    bool complete = true;
#define PLEXARO_CUPS_SYMBOL(name)                                                    \
  library->name = reinterpret_cast<decltype(library->name)>(::dlsym(handle, #name)); \
  complete = complete && library->name;
    PLEXARO_CUPS_FUNCTIONS(PLEXARO_CUPS_SYMBOL)
#undef PLEXARO_CUPS_SYMBOL
    if (complete) return library;
    delete library;
    return nullptr;
  }();
  return opened;
}

}  // namespace plexaro
