#pragma once

// The UI loop as the rest of the program sees it.

class EventPump {
 public:
  virtual ~EventPump() = default;

  // Lets the pending window events run once: drains the queued events through
  // the same handlers, runs the timers that are due, and presents the screen
  // when it changed. Safe to call from inside an event handler or a tick.
  virtual void PumpPendingEvents() = 0;

  // Ends the loop after the event being handled; the shutdown sequence follows.
  virtual void RequestQuit() = 0;
};
