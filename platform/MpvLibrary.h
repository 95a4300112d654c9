#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

// libmpv's functions, resolved when the library is first needed rather than
// when the program starts: libmpv pulls in well over a hundred shared
// libraries, and the start window needs none of them.
#define TAVIZO_MPV_FUNCTIONS(X)             \
  X(mpv_command)                            \
  X(mpv_command_ret)                        \
  X(mpv_create)                             \
  X(mpv_error_string)                       \
  X(mpv_free_node_contents)                 \
  X(mpv_get_property)                       \
  X(mpv_initialize)                         \
  X(mpv_observe_property)                   \
  X(mpv_request_log_messages)               \
  X(mpv_set_option_string)                  \
  X(mpv_set_property)                       \
  X(mpv_set_property_string)                \
  X(mpv_set_wakeup_callback)                \
  X(mpv_terminate_destroy)                  \
  X(mpv_wait_event)                         \
  X(mpv_render_context_create)              \
  X(mpv_render_context_free)                \
  X(mpv_render_context_render)              \
  X(mpv_render_context_set_update_callback) \
  X(mpv_render_context_update)

struct MpvLibrary {
#define TAVIZO_MPV_POINTER(name) decltype(&::name) name = nullptr;
  TAVIZO_MPV_FUNCTIONS(TAVIZO_MPV_POINTER)
#undef TAVIZO_MPV_POINTER

  // Loads libmpv the first time, on whichever thread asks first; a caller
  // meanwhile waits for it. Null (and a log line, once) when libmpv or one of
  // its functions cannot be had. Never unloaded.
  static const MpvLibrary* Load();
};
