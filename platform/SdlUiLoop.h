#pragma once

#include <functional>
#include <vector>

#include "base/EventPump.h"
#include "platform/SdlInputEvents.h"

class Presenter;
class SdlMainWindow;
class TimerTable;
class WindowEventHandler;
union SDL_Event;

// The UI loop: waits for the next window event or the next due timer,
// dispatches the whole batch of pending events, runs the due timers, and then
// presents the screen once if anything changed. Everything runs on this one
// thread; other threads only push SDL events to wake it.
class SdlUiLoop final : public EventPump {
 public:
  SdlUiLoop(SdlMainWindow& window, TimerTable& timers);

  void SetHandler(WindowEventHandler* handler) { mHandler = handler; }
  void SetPresenter(Presenter* presenter) { mPresenter = presenter; }

  // Platform adapters that need raw SDL events (joysticks, the media engine's
  // wake-ups) watch them here; a watcher returns true when it consumed the event.
  using EventWatcher = std::function<bool(const SDL_Event&)>;
  void AddEventWatcher(EventWatcher watcher);

  // Runs after each batch of events and due timers, before the screen is
  // presented: adapters that report the program's state outward look here.
  void AddBatchEndHandler(std::function<void()> handler);
  // Runs after each present that drew a new frame.
  void AddPresentHandler(std::function<void()> handler);

  // Runs until RequestQuit.
  void Run();

  void PumpPendingEvents() override;
  void RequestQuit() override { mQuitRequested = true; }
  bool QuitRequested() const { return mQuitRequested; }

 private:
  void Dispatch(const SDL_Event& event);
  void DispatchWindowEvent(const SDL_Event& event);
  void FinishBatch();

  SdlMainWindow& mWindow;
  TimerTable& mTimers;
  WindowEventHandler* mHandler = nullptr;
  SdlInputEvents mInput;
  Presenter* mPresenter = nullptr;
  std::vector<EventWatcher> mWatchers;
  std::vector<std::function<void()>> mBatchEndHandlers;
  std::vector<std::function<void()>> mPresentHandlers;
  bool mQuitRequested = false;
};
