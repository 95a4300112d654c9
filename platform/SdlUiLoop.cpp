#include "platform/SdlUiLoop.h"

#include <SDL.h>

#include <algorithm>
#include <climits>

#include "base/TimerTable.h"
#include "base/WindowEventHandler.h"
#include "platform/SdlMainWindow.h"
#include "render/Presenter.h"

SdlUiLoop::SdlUiLoop(SdlMainWindow& window, TimerTable& timers)
    : mWindow(window), mTimers(timers) {}

void SdlUiLoop::AddEventWatcher(EventWatcher watcher) {
  mWatchers.push_back(std::move(watcher));
}

void SdlUiLoop::AddBatchEndHandler(std::function<void()> handler) {
  mBatchEndHandlers.push_back(std::move(handler));
}

void SdlUiLoop::AddPresentHandler(std::function<void()> handler) {
  mPresentHandlers.push_back(std::move(handler));
}

void SdlUiLoop::Run() {
  while (!mQuitRequested) {
    // Only here, between batches: a pass of pending events run from inside a
    // handler leaves the timers as that handler set them.
    if (mHandler) mHandler->OnIdle();
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
  for (const std::function<void()>& handler : mBatchEndHandlers) handler();
  if (!mPresenter || !mPresenter->PresentIfChanged()) return;
  for (const std::function<void()>& handler : mPresentHandlers) handler();
}

void SdlUiLoop::Dispatch(const SDL_Event& event) {
  for (const EventWatcher& watcher : mWatchers) {
    if (watcher(event)) return;
  }
  if (!mHandler) return;
  if (mInput.Dispatch(event, *mHandler)) return;
  switch (event.type) {
    case SDL_QUIT:
      mHandler->OnCloseRequested();
      break;
    case SDL_WINDOWEVENT:
      DispatchWindowEvent(event);
      break;
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
    case SDL_WINDOWEVENT_LEAVE:
      mHandler->OnMouseLeave();
      break;
    default:
      break;
  }
}
