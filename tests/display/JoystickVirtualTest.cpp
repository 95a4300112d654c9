// Joysticks through SDL under a real event loop: virtual devices are plugged
// in, moved and pulled out, and the codes reach the dispatch as they would
// from a real pad.

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/TimerTable.h"
#include "input/Joysticks.h"
#include "platform/SdlJoystickSource.h"
#include "platform/SdlMainWindow.h"
#include "platform/SdlUiLoop.h"
#include "render/FocusState.h"
#include "store/Settings.h"
#include "store/clsHashFile.h"
#include "support/FakeClock.h"
#include "support/FakeLog.h"

namespace {

using Shape = SdlJoystickSource::AxisShape;

// A plugged-in virtual device, pulled out again when the test ends.
class VirtualPad {
 public:
  VirtualPad(const char* name, int axes, int buttons, int hats) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = static_cast<Uint16>(axes);
    desc.nbuttons = static_cast<Uint16>(buttons);
    desc.nhats = static_cast<Uint16>(hats);
    desc.name = name;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) mId = SDL_JoystickGetDeviceInstanceID(index);
  }
  ~VirtualPad() { Detach(); }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

  bool Attached() const { return mId >= 0; }
  JoystickId Id() const { return mId; }

  // The device as the program opened it; SDL hands out one object per device.
  SDL_Joystick* Opened() const { return SDL_JoystickFromInstanceID(mId); }

  void Detach() {
    if (mId < 0) return;
    // Detaching wants the device's current index, which earlier removals move.
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == mId) SDL_JoystickDetachVirtual(index);
    }
    mId = -1;
  }

 private:
  SDL_JoystickID mId = -1;
};

class JoystickVirtualTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { window = SdlMainWindow::Create("JoystickVirtualTest", 64, 48); }
  static void TearDownTestSuite() { window.reset(); }

  void SetUp() override {
    ASSERT_NE(window, nullptr);
    source = SdlJoystickSource::Create();
    ASSERT_NE(source, nullptr);
    timers = std::make_unique<TimerTable>(clock);
    loop = std::make_unique<SdlUiLoop>(*window, *timers);
    loop->AddEventWatcher([this](const SDL_Event& event) { return source->HandleEvent(event); });

    JoystickActions actions;
    actions.isConfiguring = [] { return false; };
    actions.doAction = [this](const std::string&, const std::string& action) {
      dispatched.push_back(action);
    };
    joysticks = std::make_unique<Joysticks>(clock, settings, keyMap, focus, std::move(actions));
    timers->SetTickHandler([this](TimerId id) {
      if (id == TimerId::DXJoystickPoll) joysticks->Tick();
    });
    joysticks->StartJoysticks(source.get(), (*timers)[TimerId::DXJoystickPoll]);
    Pump();
  }

  void TearDown() override {
    joysticks.reset();
    loop.reset();
    source.reset();
  }

  // Lets SDL's events run through the loop, with one poll tick due.
  void Pump() {
    for (int i = 0; i < 3; ++i) {
      clock.Advance(settings.gActionNextRepeat);
      loop->PumpPendingEvents();
    }
  }

  bool Logged(const std::string& message) const {
    for (const std::string& line : log.Messages()) {
      if (line == message) return true;
    }
    return false;
  }

  // The code the program holds for an attached device, or "(absent)".
  std::string CodeOf(const std::string& name) const {
    for (const JoystickRecord& record : joysticks->Records()) {
      if (record.name == name) return record.currentCode;
    }
    return "(absent)";
  }

  static inline std::unique_ptr<SdlMainWindow> window;
  FakeLog log;
  FakeClock clock;
  Settings settings;
  clsHashFile keyMap;
  FocusState focus;
  std::vector<std::string> dispatched;
  std::unique_ptr<SdlJoystickSource> source;
  std::unique_ptr<TimerTable> timers;
  std::unique_ptr<SdlUiLoop> loop;
  std::unique_ptr<Joysticks> joysticks;
};

TEST_F(JoystickVirtualTest, APadPluggedInLaterDrivesTheProgramUntilItIsPulledOut) {
  keyMap.SetValue("Tavizo Test Pad;0;0;0;0;1;2", "!.elemMoveE");
  VirtualPad pad("Tavizo Test Pad", 2, 4, 1);
  ASSERT_TRUE(pad.Attached()) << SDL_GetError();
  Pump();
  EXPECT_TRUE(Logged("joystick attached: Tavizo Test Pad"));
  ASSERT_NE(pad.Opened(), nullptr);
  EXPECT_EQ(CodeOf("Tavizo Test Pad"), "");

  SDL_JoystickSetVirtualHat(pad.Opened(), 0, SDL_HAT_RIGHT);
  Pump();
  EXPECT_EQ(dispatched, std::vector<std::string>{"!.elemMoveE"});
  EXPECT_TRUE(Logged("Tavizo Test Pad;0;0;0;0;1;2"));

  SDL_JoystickSetVirtualHat(pad.Opened(), 0, SDL_HAT_CENTERED);
  SDL_JoystickSetVirtualButton(pad.Opened(), 2, SDL_PRESSED);
  Pump();
  EXPECT_EQ(CodeOf("Tavizo Test Pad"), "Tavizo Test Pad;0;0;3;1;0;0");

  pad.Detach();
  Pump();
  EXPECT_TRUE(Logged("joystick removed: Tavizo Test Pad"));
  EXPECT_EQ(CodeOf("Tavizo Test Pad"), "(absent)");
}

TEST_F(JoystickVirtualTest, HatPositionsBecomeDirections) {
  VirtualPad pad("Hat Pad", 0, 0, 2);
  ASSERT_TRUE(pad.Attached()) << SDL_GetError();
  Pump();
  ASSERT_NE(pad.Opened(), nullptr);
  struct Case {
    Uint8 position;
    std::string code;
  };
  const Case cases[] = {
      {SDL_HAT_UP, "Hat Pad;0;0;0;0;1;1"},
      {SDL_HAT_RIGHTUP, "Hat Pad;0;0;0;0;1;2"},
      {SDL_HAT_RIGHT, "Hat Pad;0;0;0;0;1;2"},
      {SDL_HAT_RIGHTDOWN, "Hat Pad;0;0;0;0;1;4"},
      {SDL_HAT_DOWN, "Hat Pad;0;0;0;0;1;4"},
      {SDL_HAT_LEFTDOWN, "Hat Pad;0;0;0;0;1;8"},
      {SDL_HAT_LEFT, "Hat Pad;0;0;0;0;1;8"},
      {SDL_HAT_LEFTUP, "Hat Pad;0;0;0;0;1;1"},
      {SDL_HAT_CENTERED, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("hat position " + std::to_string(c.position));
    SDL_JoystickSetVirtualHat(pad.Opened(), 0, c.position);
    Pump();
    EXPECT_EQ(CodeOf("Hat Pad"), c.code);
  }
  SDL_JoystickSetVirtualHat(pad.Opened(), 1, SDL_HAT_LEFT);
  Pump();
  EXPECT_EQ(CodeOf("Hat Pad"), "Hat Pad;0;0;0;0;2;8");
}

TEST_F(JoystickVirtualTest, SticksHaveADeadZoneAndReachTheirEndsEarly) {
  VirtualPad pad("Stick Pad", 2, 0, 0);
  ASSERT_TRUE(pad.Attached()) << SDL_GetError();
  Pump();
  ASSERT_NE(pad.Opened(), nullptr);
  struct Case {
    int axis;
    Sint16 value;
    std::string code;
  };
  // Beyond 52.5 % of the way a stick is past the code's threshold.
  const Case cases[] = {
      {0, 3000, ""},
      {0, 17000, ""},
      {0, 17500, "Stick Pad;1;1;0;0;0;0"},
      {0, -17000, ""},
      {0, -17500, "Stick Pad;1;-1;0;0;0;0"},
      {1, -32768, "Stick Pad;2;-1;0;0;0;0"},
      {1, 32767, "Stick Pad;2;1;0;0;0;0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("axis " + std::to_string(c.axis) + " at " + std::to_string(c.value));
    SDL_JoystickSetVirtualAxis(pad.Opened(), 0, 0);
    SDL_JoystickSetVirtualAxis(pad.Opened(), 1, 0);
    SDL_JoystickSetVirtualAxis(pad.Opened(), c.axis, c.value);
    Pump();
    EXPECT_EQ(CodeOf("Stick Pad"), c.code);
  }
}

TEST_F(JoystickVirtualTest, ATriggerAtRestIsNoInput) {
  VirtualPad pad("Trigger Pad", 3, 0, 0);
  ASSERT_TRUE(pad.Attached()) << SDL_GetError();
  // The analogue trigger (axis 3) rests at the low end from the first value
  // on: the test sets it before the program opens the device; a virtual
  // device keeps its values while nobody has it open.
  SDL_Joystick* own = nullptr;
  for (int index = 0; index < SDL_NumJoysticks() && !own; ++index) {
    if (SDL_JoystickGetDeviceInstanceID(index) == pad.Id()) own = SDL_JoystickOpen(index);
  }
  ASSERT_NE(own, nullptr);
  SDL_JoystickSetVirtualAxis(own, 2, -32768);
  SDL_JoystickClose(own);
  Pump();
  ASSERT_NE(pad.Opened(), nullptr);
  EXPECT_EQ(CodeOf("Trigger Pad"), "");
  SDL_JoystickSetVirtualAxis(pad.Opened(), 2, 32767);
  Pump();
  EXPECT_EQ(CodeOf("Trigger Pad"), "Trigger Pad;3;1;0;0;0;0");
  SDL_JoystickSetVirtualAxis(pad.Opened(), 2, -32768);
  Pump();
  EXPECT_EQ(CodeOf("Trigger Pad"), "");
}

TEST_F(JoystickVirtualTest, PadsOfOneNameAreToldApartAndComeAndGoAlone) {
  auto first = std::make_unique<VirtualPad>("Twin Pad", 0, 2, 0);
  auto second = std::make_unique<VirtualPad>("Twin Pad", 0, 2, 0);
  ASSERT_TRUE(first->Attached() && second->Attached()) << SDL_GetError();
  Pump();
  EXPECT_TRUE(Logged("joystick attached: Twin Pad"));
  EXPECT_TRUE(Logged("joystick attached: Twin Pad #2"));
  ASSERT_NE(second->Opened(), nullptr);

  SDL_JoystickSetVirtualButton(second->Opened(), 0, SDL_PRESSED);
  Pump();
  EXPECT_EQ(CodeOf("Twin Pad #2"), "Twin Pad #2;0;0;1;1;0;0");
  EXPECT_EQ(CodeOf("Twin Pad"), "");

  first.reset();
  Pump();
  EXPECT_TRUE(Logged("joystick removed: Twin Pad"));
  EXPECT_EQ(CodeOf("Twin Pad #2"), "Twin Pad #2;0;0;1;1;0;0");
  SDL_JoystickSetVirtualButton(second->Opened(), 0, SDL_RELEASED);
  SDL_JoystickSetVirtualButton(second->Opened(), 1, SDL_PRESSED);
  Pump();
  EXPECT_EQ(CodeOf("Twin Pad #2"), "Twin Pad #2;0;0;2;1;0;0");

  // A pad plugged in again takes back the free name.
  VirtualPad third("Twin Pad", 0, 2, 0);
  Pump();
  EXPECT_EQ(CodeOf("Twin Pad"), "");
  EXPECT_EQ(joysticks->Records().size(), 2u);
}

TEST(SdlJoystickSourceScaleTest, AxisValuesOnTheProgramsScale) {
  struct Case {
    int32_t value;
    Shape shape;
    int32_t rest;
    int32_t scaled;
  };
  const Case cases[] = {
      {-32768, Shape::Linear, 0, 0},
      {0, Shape::Linear, 0, 5000},
      {32767, Shape::Linear, 0, 10000},
      {-16384, Shape::Linear, 0, 2500},
      {0, Shape::Stick, 0, 5000},
      {3276, Shape::Stick, 0, 5000},
      {-3276, Shape::Stick, 0, 5000},
      {31129, Shape::Stick, 0, 10000},
      {-31130, Shape::Stick, 0, 0},
      {32767, Shape::Stick, 0, 10000},
      {-32768, Shape::Stick, 0, 0},
      {17695, Shape::Stick, 0, 7588},
      {-32768, Shape::Trigger, -32768, 5000},
      {32767, Shape::Trigger, -32768, 10000},
      {0, Shape::Trigger, -32768, 7500},
      {32767, Shape::Trigger, 32767, 5000},
      {-32768, Shape::Trigger, 32767, 10000},
      {40000, Shape::Linear, 0, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("value " + std::to_string(c.value) + " shape " +
                 std::to_string(static_cast<int>(c.shape)));
    EXPECT_EQ(SdlJoystickSource::ScaleAxis(c.value, c.shape, c.rest), c.scaled);
  }
}

TEST(SdlJoystickSourceNameTest, SameNamedDevicesGetTheLowestFreeNumber) {
  struct Case {
    std::string name;
    std::vector<std::string> attached;
    std::string distinct;
  };
  const Case cases[] = {
      {"Pad", {}, "Pad"},         {"Pad", {"Other"}, "Pad"},
      {"Pad", {"Pad"}, "Pad #2"}, {"Pad", {"pad", "PAD #2"}, "Pad #3"},
      {"Pad", {"Pad #2"}, "Pad"}, {"Pad", {"Pad", "Pad #3"}, "Pad #2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name + " beside " + std::to_string(c.attached.size()) + " devices");
    EXPECT_EQ(SdlJoystickSource::DistinctName(c.name, c.attached), c.distinct);
  }
}

}  // namespace
