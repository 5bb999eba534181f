#include "cups_library.h"

#include <dlfcn.h>

#include <memory>

namespace plexaro {

const CupsLibrary* cupsLibrary() {
  static const std::unique_ptr<CupsLibrary> opened = []() -> std::unique_ptr<CupsLibrary> {
    void* handle = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    auto library = std::make_unique<CupsLibrary>();
    bool complete = true;
#define PLEXARO_CUPS_SYMBOL(name)                                                    \
  library->name = reinterpret_cast<decltype(library->name)>(::dlsym(handle, #name)); \
  complete = complete && library->name;
    PLEXARO_CUPS_FUNCTIONS(PLEXARO_CUPS_SYMBOL)
#undef PLEXARO_CUPS_SYMBOL
    return complete ? std::move(library) : nullptr;
  }();
  return opened.get();
}

}  // namespace plexaro
