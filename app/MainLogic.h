#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Events/I_EventConsumer.h"
#include "Game/I_LogicState.h"
#include "GridSnapshot.h"
#include "MatchOptions.h"
#include "MatchPace.h"
#include "SettingsCheck.h"
#include "Steering.h"

namespace Game {
class GameManager;
}

namespace RNG {
class RandSimple;
}

namespace Tool {

class ComputerPlayers;
class MainView;
class TextView;

// The logic state that plays one match ("RUNNING"): a grid whose outer ring
// is wall, player 0 steered by four keys, the others computer players, one
// cell per step for everyone, out on entering a blocked cell. The match ends
// with "DRAW" or "WIN=" + number once at most one player is left. Owns the
// grid, the player records, the arena view (from the first match on) and
// the two random generators; the game manager is not owned.
//
// Optional rules, each off unless its setting is given and read once per
// match start (MatchOptions): people on seats 1 to 3, a turn buffer, a pause
// and a leave key ("LEAVE": neither printed nor scored), and who owns each
// cell, kept beside the grid only when players have colours. Wins are
// counted per player for the whole run.
class MainLogic : public Game::I_LogicState, public EVT::I_EventConsumer {
public:
    enum Heading { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3 };

    using Player = PlayerHead;

    static constexpr unsigned char FREE = 0;
    static constexpr unsigned char BLOCKED = 0x31;
    // Largest accepted "GRID_WIDTH" and "GRID_HEIGHT" (SettingsCheck).
    static constexpr int MAX_GRID_SIDE = SettingsCheck::MAX_GRID_SIDE;

    // Reads "GRID_WIDTH", "GRID_HEIGHT" (3 or less gives 4) and "NUM_PLAYERS"
    // (1 or less gives 2). Throws std::invalid_argument, with a message for
    // the player, for a grid side above MAX_GRID_SIDE or more players than
    // the grid has free cells. With "SHOW_TEXT" it adds the words on screen
    // at once, so the title screen shows them before the first match.
    explicit MainLogic(Game::GameManager* gameManager);
    ~MainLogic() override;
    MainLogic(const MainLogic&) = delete;
    MainLogic& operator=(const MainLogic&) = delete;

    // Stops steps and the blink while paused; does nothing unless a pause
    // key is set ("KEY_PAUSE").
    void setPause(bool paused) override;
    // Starts a match; both arguments are ignored.
    void onEnter(const std::string& previous, const std::string& reason) override;
    // Plays at most one step when the step timer runs out; returns the result.
    std::string onUpdate(float elapsed) override;
    // Removes and destroys the arena view, and leaves the event bus.
    void doExit(const std::string& next) override;
    // Key presses, listened to only while an option needs them: steering
    // presses for the turn buffer, the pause key and the leave key.
    void handleEvent(EVT::I_Event* event) override;

    // A computer player's choice of heading for one step, from its draw r
    // (0 to 100) and turnChance: first a random quarter turn when r is below
    // turnChance (even r: up to right, down to left, left to up, right to
    // down; odd r: the other way), then, when the cell ahead is blocked, the
    // first way out (as an odd turn) or, if that is blocked too, the second
    // (as an even turn from the heading held before). blockedToward(h) says
    // whether the neighbouring cell in heading h is blocked.
    template <typename BlockedToward>
    static int decideHeading(int heading, int r, int turnChance, BlockedToward blockedToward)
    {
        if (r < turnChance) {
            heading = (r % 2 == 0 ? TURN_EVEN : TURN_ODD)[heading];
        }
        if (!blockedToward(heading)) {
            return heading;
        }
        const int firstWayOut = TURN_ODD[heading];
        return blockedToward(firstWayOut) ? TURN_EVEN[heading] : firstWayOut;
    }

    int getGridWidth() const { return gridWidth; }
    int getGridHeight() const { return gridHeight; }
    const unsigned char* getGrid() const { return grid.data(); }
    // The cell at (x, y); a cell outside the grid reads as blocked.
    unsigned char cell(int x, int y) const;
    int getPlayerCount() const { return playerCount; }
    const Player& getPlayer(int number) const { return players[number]; }
    const std::string& getResult() const { return result; }
    float getStepTimer() const { return stepTimer; }
    MainView* getView() const { return view; }
    // The words on screen ("SHOW_TEXT", read at construction); null without.
    TextView* getTextView() const { return textView; }

    // Players 0 to getHumanPlayers() - 1 are steered by people, as read at
    // the last match start ("HUMAN_PLAYERS", 1 when absent).
    int getHumanPlayers() const { return options.humans; }
    bool isHuman(int number) const { return number < options.humans; }
    const MatchOptions& getOptions() const { return options; }
    // Who blocked each cell: 0 for walls and free cells, k + 1 for player k
    // (the later player where two start on one cell). Empty unless players
    // have colours.
    const std::vector<int>& getOwners() const { return owners; }
    // Matches won by each player since the program started.
    int getWins(int number) const { return wins[number]; }
    bool isPaused() const { return paused; }
    // True from a match start until its result.
    bool inMatch() const { return matchesStarted > 0 && result.empty(); }
    int getMatchesStarted() const { return matchesStarted; }
    // Steps played in the current (or last) match.
    unsigned long getStepCount() const { return stepCount; }
    // The computer-player level of a player (0: the classic decision, and
    // every human seat), as read at the last match start.
    int getLevel(int player) const;
    // Game milliseconds left of the countdown before the first step
    // ("COUNTDOWN"); 0 when there is none or it is over.
    float getCountdown() const { return pace.countdownLeft(); }
    // True once the rest of the match plays fast ("FAST_FORWARD"): people
    // play it and none of them is left.
    bool fastForwarding() const;

    // Restarts both random generators from seed, as "GAME_SEED" would at
    // the start of a run. The game never calls it; a match simulator does
    // before each match, so that one match can be replayed on its own.
    void reseed(unsigned int seed);

private:
    static constexpr int TURN_EVEN[4] = {RIGHT, LEFT, UP, DOWN};
    static constexpr int TURN_ODD[4] = {LEFT, RIGHT, DOWN, UP};

    void clearGrid();
    void placePlayers();
    void placeRandomPlayer(Player& player);
    bool goodHumanStart(const Player& player, int number) const;
    void startOptions();
    void step();
    void playFast(float elapsed);
    void applyCountdownPresses();
    void steerFromKeyboard();
    void steerPeople();
    void decide(int number);
    GridSnapshot snapshot() const;
    void move(Player& player);
    void countSurvivors();
    bool blocked(int x, int y) const;
    bool keyDown(int setting) const;
    void readKeyCodes();
    RNG::RandSimple& startRandom();
    RNG::RandSimple& decisionRandom();
    int turnChance();

    Game::GameManager* gameManager;
    MainView* view;
    std::string result;
    int gridWidth;
    int gridHeight;
    std::vector<unsigned char> grid;
    int playerCount;
    std::vector<Player> players;
    float stepTimer;

    // Read once and kept for the rest of the run, never re-read, and never
    // reseeded by the game itself, so that later matches continue the
    // sequences of earlier ones.
    std::unique_ptr<RNG::RandSimple> startGenerator;
    std::unique_ptr<RNG::RandSimple> decisionGenerator;
    bool keysRead;
    unsigned char keyCodes[4];
    bool turnChanceRead;
    int cachedTurnChance;

    MatchOptions options;
    MatchPace pace;
    Steering steering;
    std::vector<int> owners;
    std::vector<int> wins;
    TextView* textView;
    bool paused;
    bool listening;
    int matchesStarted;
    unsigned long stepCount;
    // The levels of the computer players and their searches.
    std::unique_ptr<ComputerPlayers> computers;
};

} // namespace Tool
