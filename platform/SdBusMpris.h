#pragma once

// The desktop's media controls over the session bus: the player at
// /org/mpris/MediaPlayer2 under the name org.mpris.MediaPlayer2.tavizo,
// carrying calls to the program's MprisPlayer and its changes back as
// signals. The bus is read on the UI thread, woken by SdlFdWakeup; without a
// session bus, or once it goes away, the program runs on without it.

#include <memory>
#include <string>

class MprisPlayer;
class SdlFdWakeup;
class SdlUiLoop;
struct sd_bus;
struct sd_bus_message;
struct sd_bus_slot;

class SdBusMpris {
 public:
  static constexpr const char* kBusName = "org.mpris.MediaPlayer2.tavizo";

  // Connects and asks for the name (a second instance takes the name with
  // ".instance" + its process id; a log line says which it got). Nothing,
  // and one log line, when there is no session bus.
  static std::unique_ptr<SdBusMpris> Create(MprisPlayer& player, SdlUiLoop& loop);
  ~SdBusMpris();
  SdBusMpris(const SdBusMpris&) = delete;
  SdBusMpris& operator=(const SdBusMpris&) = delete;

  // Leaves the bus; calls that were already answered are sent first.
  void Close();

  // The handlers of the bus's vtables reach the player through these.
  MprisPlayer& Player() { return mPlayer; }

 private:
  struct LoopLink;

  SdBusMpris(MprisPlayer& player, sd_bus* bus);
  bool Offer(std::string& error);
  int RequestName(const std::string& name);
  void NameAnswered(sd_bus_message* reply);
  void ProcessBus();
  void AnnounceChanges();
  void ArmWakeup();
  void LoseBus(int error);

  MprisPlayer& mPlayer;
  sd_bus* mBus = nullptr;
  sd_bus_slot* mRootSlot = nullptr;
  sd_bus_slot* mPlayerSlot = nullptr;
  std::unique_ptr<SdlFdWakeup> mWakeup;
  std::shared_ptr<LoopLink> mLoopLink;
  std::string mRequestedName;
  bool mProcessing = false;
};
