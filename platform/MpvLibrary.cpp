#include "platform/MpvLibrary.h"

#include <dlfcn.h>

#include <string>

#include "base/Log.h"

namespace {

const MpvLibrary* Open() {
  // The library of the interface version the program was built for.
  const std::string name = "libmpv.so." + std::to_string(MPV_CLIENT_API_VERSION >> 16);
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = dlerror();
    WriteLog("MpvEngine: libmpv cannot be loaded: " + std::string(error ? error : name));
    return nullptr;
  }
  static MpvLibrary library;
  bool complete = true;
#define TAVIZO_MPV_RESOLVE(function)                                                    \
  library.function = reinterpret_cast<decltype(&::function)>(dlsym(handle, #function)); \
  if (!library.function) {                                                              \
    WriteLog("MpvEngine: " + name + " lacks " #function);                               \
    complete = false;                                                                   \
  }
  TAVIZO_MPV_FUNCTIONS(TAVIZO_MPV_RESOLVE)
#undef TAVIZO_MPV_RESOLVE
  return complete ? &library : nullptr;
}

}  // namespace

const MpvLibrary* MpvLibrary::Load() {
  static const MpvLibrary* const library = Open();
  return library;
}
