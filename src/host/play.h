// The game played live, the same in every host: the rules that a window, a page or a test keep
// around the session. A host turns its platform's events into the calls below and shows what
// the play tells it to; the play reads no clock and draws nothing itself.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "host/buttons.h"
#include "host/inputs.h"
#include "host/pacing.h"
#include "host/random.h"
#include "host/session.h"
#include "host/words.h"

namespace zentor {

class Play final : private Host {
 public:
  using Clock = TickClock::Clock;

  // What the play needs of the host that shows it.
  class Platform {
   public:
    virtual ~Platform() = default;
    // Shows the game-over box and returns once the player has closed it.
    virtual void ShowBox(std::string_view title, std::string_view prompt) = 0;
    // The game has ended: the window goes.
    virtual void Close() = 0;
    // The window's frame as the game reads it while the form stands so.
    virtual WindowFrame Frame(const Form& form) const = 0;
    // Where the pointer is now, in the client area's twips; nothing outside the window.
    virtual std::optional<std::pair<double, double>> Pointer() const = 0;
    // What the window shows has changed.
    virtual void Changed() = 0;
    virtual Clock::time_point Now() const = 0;
    // A seed for the random generator, from the clock.
    virtual uint64_t Seed() const = 0;
    // The play's state has changed; told once at the load too.
    virtual void StateChanged(PlayState) {}
    // What the game says in words has changed (SaysMore), the state with it; told once at the
    // load too, never for the score alone.
    virtual void Said(const Words&) {}
    // Before each random number the load draws, whose noting in a recording is most of the load's
    // time: a platform that shares its thread with others may hand it over here.
    virtual void LoadDraws() {}
  };

  // Plays and records to `recorder` (none: records nothing).
  Play(Platform& platform, std::unique_ptr<SessionRecorder> recorder);
  Play(const Play&) = delete;
  Play& operator=(const Play&) = delete;

  void Load();

  // Keys by the game's codes; held keys repeat their key-down as the system repeats them.
  void KeyDown(int16_t code);
  void KeyUp(int16_t code);
  // Enter presses Restart while it is shown.
  void PressRestart();
  // A push button pressed other than by the pointer (a page's button of the same caption): the
  // button's click while it is shown.
  void PressButton(ButtonId button);
  // The left mouse button over the push buttons, at points of the client area (twips).
  void PointerMove(double x, double y);
  void PointerPress(double x, double y);
  void PointerRelease(double x, double y);
  void PointerLeave();
  void Pad(const PadAction& action);
  // A game left running behind other windows is paused, as P pauses it. Every held touch is let
  // go, since its end will not be heard.
  void FocusLost();
  // Fingers on a touch screen, each by an id of its own, at points of the client area (twips):
  // on the panel's drawn arrow keys a finger holds that key and may slide to another; on a push
  // button it presses it as the mouse does; anywhere else, while the game waits for the space
  // bar, a tap is the space bar. A finger that lifts or is cancelled lets go of what it held.
  void TouchDown(int64_t finger, double x, double y);
  void TouchMove(int64_t finger, double x, double y);
  void TouchUp(int64_t finger, double x, double y);
  void TouchCancel(int64_t finger);

  // When the clock's next tick is due; nothing while the clock does not run.
  std::optional<Clock::time_point> Deadline() const;
  // Runs the tick that is due, if one is.
  void TickIfDue();

  const Form& form() const { return session_.form(); }
  ButtonId Hover() const { return buttons_.Hover(); }
  ButtonId Held() const { return buttons_.Held(); }
  PlayState State() const;
  bool Ended() const { return ended_; }

 private:
  // What one finger holds.
  struct Touch {
    enum class Kind { Nothing, Key, Button, SpaceBar };
    Kind kind = Kind::Nothing;
    int16_t key = 0;
  };

  // Host operations, for the game.
  void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) override;
  void End() override;
  void Reseed() override { random_.Seed(platform_.Seed()); }
  float NextRandom() override;
  WindowFrame Frame() const override { return frame_; }

  // Every call on the game: the window's frame as it stands for the whole call, and afterwards
  // the clock follows Timer1 and the window shows what changed.
  template <class Handler>
  void Call(Handler handler);
  void Click(ButtonId button);
  // Tells the platform the play's state and its words when they have changed.
  void Tell();
  void Look(bool changed);
  void LetGo(const Touch& touch);

  Platform& platform_;
  Session session_;
  TickClock clock_;
  ButtonTracker buttons_;
  SplitMix random_;
  std::map<int64_t, Touch> touches_;
  WindowFrame frame_{};
  PlayState told_ = PlayState::Ended;
  std::optional<Words> said_;
  // The open box's title and prompt, which the words tell.
  std::string boxTitle_;
  std::string boxPrompt_;
  bool inBox_ = false;
  bool loading_ = false;
  bool waitedForBox_ = false;
  bool ended_ = false;
};

// The arrow key that the panel draws at a point of the client area (twips), if any: each of its
// four squares answers a little around it, so that a finger finds it on a small screen.
std::optional<int16_t> LegendKeyAt(const Form& form, double x, double y);

}  // namespace zentor
