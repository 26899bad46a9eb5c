#pragma once

#include <string>

#include "Events/I_EventConsumer.h"
#include "Game/I_LogicState.h"
#include "Game/TimerBase.h"
#include "Random/RandSimple.h"

namespace Game {
class GameManager;
}

namespace Catch {

class BoardView;

// A round: the catcher moves one cell per press of a steering key (read
// from the key events on the bus), the target jumps to a random cell every
// "TARGET_TIME" game milliseconds (a timer), and moving onto the target
// scores a point and makes it jump at once. After "ROUND_TIME" the round
// ends: it prints "SCORE=" and the points and returns that text. Owns its
// board view while the round runs; the game manager is not owned.
class PlayState : public Game::I_LogicState, public EVT::I_EventConsumer {
public:
    struct Cell {
        int x;
        int y;
    };

    explicit PlayState(Game::GameManager* manager);
    ~PlayState() override;
    PlayState(const PlayState&) = delete;
    PlayState& operator=(const PlayState&) = delete;

    void setPause(bool paused) override;
    // Reads the settings, places the catcher in the top left corner and the
    // target in the middle, and shows the board.
    void onEnter(const std::string& previous, const std::string& reason) override;
    std::string onUpdate(float delta) override;
    void doExit(const std::string&) override {}
    void handleEvent(EVT::I_Event* event) override;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    Cell getCatcher() const { return catcher; }
    Cell getTarget() const { return target; }

private:
    // Fires every "TARGET_TIME": the target jumps.
    class TargetTimer : public Game::TimerBase {
    public:
        explicit TargetTimer(PlayState& state) : state(state) {}
        void onFire() override { state.jumpTarget(); }

    private:
        PlayState& state;
    };

    void jumpTarget();
    void move(int dx, int dy);
    void leave();

    Game::GameManager* manager;
    BoardView* view;
    TargetTimer timer;
    RNG::RandSimple random;
    unsigned char keys[4];
    int width;
    int height;
    Cell catcher;
    Cell target;
    int score;
    float timeLeft;
    bool playing;
};

} // namespace Catch
