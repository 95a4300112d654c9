#include "platform/SdlUiLoop.h"

#include <SDL.h>

#include <algorithm>
#include <climits>

#include "app/TimerTable.h"
#include "app/WindowEventHandler.h"
#include "input/KeyTable.h"
#include "platform/SdlMainWindow.h"
#include "render/Presenter.h"

SdlUiLoop::SdlUiLoop(SdlMainWindow& window, TimerTable& timers)
    : mWindow(window), mTimers(timers) {}

void SdlUiLoop::AddEventWatcher(EventWatcher watcher) { mWatchers.push_back(std::move(watcher)); }

void SdlUiLoop::Run() {
  while (!mQuitRequested) {
    const int64_t wait = mTimers.MsUntilNextDue();
    SDL_Event event;
    const int received =
        wait < 0 ? SDL_WaitEvent(&event)
                 : SDL_WaitEventTimeout(&event, static_cast<int>(std::min<int64_t>(wait, INT_MAX)));
    if (received) {
      Dispatch(event);
      while (!mQuitRequested && SDL_PollEvent(&event)) Dispatch(event);
    }
    if (mQuitRequested) break;
    FinishBatch();
  }
}

void SdlUiLoop::PumpPendingEvents() {
  SDL_Event event;
  while (!mQuitRequested && SDL_PollEvent(&event)) Dispatch(event);
  if (!mQuitRequested) FinishBatch();
}

void SdlUiLoop::FinishBatch() {
  mTimers.RunDue();
  if (mPresenter) mPresenter->PresentIfChanged();
}

void SdlUiLoop::Dispatch(const SDL_Event& event) {
  for (const EventWatcher& watcher : mWatchers) {
    if (watcher(event)) return;
  }
  if (!mHandler) return;
  const int32_t modifiers = ModifierMaskFromSdl(static_cast<uint16_t>(SDL_GetModState()));
  switch (event.type) {
    case SDL_QUIT:
      mHandler->OnCloseRequested();
      break;
    case SDL_WINDOWEVENT:
      DispatchWindowEvent(event);
      break;
    case SDL_KEYDOWN: {
      const int32_t key = VirtualKeyFromSdlKey(event.key.keysym.sym);
      if (key != 0) mHandler->OnKeyDown(key, modifiers);
      break;
    }
    case SDL_KEYUP: {
      const int32_t key = VirtualKeyFromSdlKey(event.key.keysym.sym);
      mHandler->OnKeyUp(key, modifiers);
      break;
    }
    case SDL_MOUSEBUTTONDOWN: {
      const int32_t button = event.button.button == SDL_BUTTON_LEFT    ? 1
                             : event.button.button == SDL_BUTTON_RIGHT ? 2
                                                                       : 0;
      if (button == 0) break;
      if (event.button.clicks == 2) {
        mHandler->OnDoubleClick(button, modifiers, event.button.x, event.button.y);
      } else {
        mHandler->OnMouseDown(button, modifiers, event.button.x, event.button.y);
      }
      break;
    }
    case SDL_MOUSEBUTTONUP: {
      const int32_t button = event.button.button == SDL_BUTTON_LEFT    ? 1
                             : event.button.button == SDL_BUTTON_RIGHT ? 2
                                                                       : 0;
      if (button != 0) mHandler->OnMouseUp(button, modifiers, event.button.x, event.button.y);
      break;
    }
    case SDL_MOUSEMOTION: {
      const int32_t button = (event.motion.state & SDL_BUTTON_LMASK) ? 1 : 0;
      mHandler->OnMouseMove(button, modifiers, event.motion.x, event.motion.y);
      break;
    }
    default:
      break;
  }
}

void SdlUiLoop::DispatchWindowEvent(const SDL_Event& event) {
  if (event.window.windowID != mWindow.WindowId()) return;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      mHandler->OnCloseRequested();
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      mHandler->OnExposed();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      mHandler->OnResized();
      break;
    default:
      break;
  }
}
