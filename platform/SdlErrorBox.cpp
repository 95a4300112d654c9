#include "platform/SdlErrorBox.h"

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Log.h"
#include "platform/SdlWindowSurface.h"
#include "program/ErrorBox.h"
#include "render/TextRenderer.h"

namespace {

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

// Quick enough that a click or key shows at once, rare enough to cost no CPU to speak of.
constexpr uint32_t kPollIntervalMs = 10;

bool IsDismissKey(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE || key == SDLK_SPACE;
}

bool IsKeyboardEvent(uint32_t type) {
  return type >= SDL_KEYDOWN && type < SDL_MOUSEMOTION;
}

// The box and what the pointer does to its button.
class ModalLoop {
 public:
  ModalLoop(SDL_Window* window, ErrorBox& box)
      : mWindow(window), mWindowId(SDL_GetWindowID(window)), mBox(box) {}

  // Runs until the box is dismissed. Events that are not the box's are kept
  // in their order, for the program's own loop once the box has gone.
  //
  // The loop polls rather than blocks. While SDL blocks for events, every event
  // it queues has it send a wake-up message, over a second connection to the
  // X server, to the newest window: the box. The box is destroyed right after
  // the event that dismisses it, and the server may carry out that destroy
  // before the wake-up still queued on the other connection, which then fails
  // as a message to a window that is gone.
  std::vector<SDL_Event> Run() {
    std::vector<SDL_Event> others;
    SDL_Event event;
    while (!mDismissed) {
      if (!SDL_PollEvent(&event)) {
        SDL_Delay(kPollIntervalMs);
        continue;
      }
      if (!Handle(event)) others.push_back(event);
    }
    return others;
  }

 private:
  // False when the event is not the box's.
  bool Handle(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
      mDismissed = true;
      return false;  // the program still ends as it was asked to
    }
    // The box is modal: every key is its own, wherever the window system sent it.
    if (IsKeyboardEvent(event.type)) {
      if (event.type == SDL_KEYDOWN && !event.key.repeat && IsDismissKey(event.key.keysym.sym)) {
        mDismissed = true;
      }
      return true;
    }
    switch (event.type) {
      case SDL_WINDOWEVENT:
        if (event.window.windowID != mWindowId) return false;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) mDismissed = true;
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) SDL_UpdateWindowSurface(mWindow);
        return true;
      case SDL_MOUSEBUTTONDOWN:
        if (event.button.windowID != mWindowId) return false;
        if (event.button.button == SDL_BUTTON_LEFT &&
            mBox.IsOnButton(event.button.x, event.button.y)) {
          mHoldingButton = true;
          ShowButton(true);
        }
        return true;
      case SDL_MOUSEMOTION:
        if (event.motion.windowID != mWindowId) return false;
        if (mHoldingButton) ShowButton(mBox.IsOnButton(event.motion.x, event.motion.y));
        return true;
      case SDL_MOUSEBUTTONUP:
        if (event.button.windowID != mWindowId) return false;
        if (event.button.button == SDL_BUTTON_LEFT && mHoldingButton) {
          // A click is a press and a release both on the button.
          mHoldingButton = false;
          ShowButton(false);
          mDismissed = mBox.IsOnButton(event.button.x, event.button.y);
        }
        return true;
      default:
        return false;
    }
  }

  void ShowButton(bool pressed) {
    mBox.SetButtonPressed(pressed);
    PresentOnWindowSurface(mWindow, mBox.Picture());
  }

  SDL_Window* mWindow;
  uint32_t mWindowId;
  ErrorBox& mBox;
  bool mHoldingButton = false;
  bool mDismissed = false;
};

}  // namespace

void SdlErrorBox::ShowError(const std::string& title, const std::string& text) {
  // Whatever start-up held back goes out before the program waits on the box.
  ReleaseLog();
  TextRenderer renderer(mFonts);
  ErrorBox box(renderer, text);
  const BackBuffer& picture = box.Picture();
  if (!picture.IsValid()) {
    WriteLog("the error message could not be drawn: " + text);
    return;
  }
  // Keys typed before the box appeared were meant for something else.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEMOTION - 1);

  std::unique_ptr<SDL_Window, WindowDeleter> window(SDL_CreateWindow(
      title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(0), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
      picture.Width(), picture.Height(), SDL_WINDOW_ALWAYS_ON_TOP));
  if (!window) {
    WriteLog(std::string("the error message window could not be opened: ") + SDL_GetError() +
             "; the message was: " + text);
    return;
  }
  if (!PresentOnWindowSurface(window.get(), picture)) {
    WriteLog(std::string("the error message could not be shown: ") + SDL_GetError());
  }
  // In front of the splash and with the keyboard, so Return answers it at once.
  SDL_RaiseWindow(window.get());
  SDL_SetWindowInputFocus(window.get());

  std::vector<SDL_Event> others = ModalLoop(window.get(), box).Run();
  window.reset();
  for (SDL_Event& event : others) SDL_PushEvent(&event);
}
