#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Events/I_EventConsumer.h"
#include "Game/I_LogicState.h"
#include "app/input/MatchOptions.h"
#include "app/input/PeopleInput.h"
#include "app/input/Scoreboard.h"
#include "app/match/Match.h"
#include "app/replay/Replay.h"
#include "app/replay/ReplayPlayback.h"
#include "app/replay/ReplayRecorder.h"

namespace Game {
class GameManager;
}

namespace Tool {

class MainView;
class MatchSounds;
class TextView;

// The logic state that plays one match ("RUNNING") around the match model:
// it reads the settings into the match's setup at each match start,
// collects the people's headings from the keyboard (player 0 by four keys)
// or the turn buffer when a step is due, steps the match, and reports the
// result: "DRAW" or "WIN=" + number once at most one player is left. Owns
// the match (with its random generators, never reseeded by the game), the
// arena view (from the first match on) and the scoreboard; the game
// manager is not owned.
//
// With "RECORD_DIR" every finished or left match is recorded there
// (ReplayRecorder). With "REPLAY" == file the matches are that file's
// recorded match, played back with its own setup instead of the settings'
// and the people's keys (and nothing is recorded); a file that cannot be
// read or decoded throws std::invalid_argument with the reason. A replay
// ends on its recorded result, printed as a live match's; where a recorded
// check fails, the match stops there with the result MISMATCH and the
// notice "THIS REPLAY NO LONGER MATCHES: CHECK AT STEP N FAILED", on the
// screen and on the error stream.
//
// Optional rules, each off unless its setting is given and read once per
// match start (MatchOptions): people on seats 1 to 3, a turn buffer, a pause
// and a leave key ("LEAVE": neither printed nor scored), and who owns each
// cell, kept beside the grid only when players have colours, gamepads for
// the people's seats ("JOY_P1" to "JOY_P4"), sound cues ("SOUND"), a
// countdown before the first step ("COUNTDOWN") and fast-forward once no
// person is left ("FAST_FORWARD", MatchPace). Wins are counted per player
// for the whole run.
class MainLogic : public Game::I_LogicState, public EVT::I_EventConsumer {
public:
    enum Heading { UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3 };

    using Player = PlayerHead;

    static constexpr const char* MISMATCH = "MISMATCH";

    static constexpr unsigned char FREE = Match::FREE;
    static constexpr unsigned char BLOCKED = Match::BLOCKED;
    // Largest accepted "GRID_WIDTH" and "GRID_HEIGHT".
    static constexpr int MAX_GRID_SIDE = MatchSetup::MAX_GRID_SIDE;

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

    // A computer player's classic choice of heading (Match::decideHeading).
    template <typename BlockedToward>
    static int decideHeading(int heading, int r, int turnChance, BlockedToward blockedToward)
    {
        return Match::decideHeading(heading, r, turnChance, blockedToward);
    }

    // The match itself, for the views and tools that read it.
    const Match& getMatch() const { return match; }
    const Scoreboard& getScoreboard() const { return score; }

    int getGridWidth() const { return match.getGridWidth(); }
    int getGridHeight() const { return match.getGridHeight(); }
    const unsigned char* getGrid() const { return match.getGrid(); }
    // The cell at (x, y); a cell outside the grid reads as blocked.
    unsigned char cell(int x, int y) const { return match.cell(x, y); }
    int getPlayerCount() const { return match.getPlayerCount(); }
    const Player& getPlayer(int number) const { return match.getPlayer(number); }
    const std::string& getResult() const { return score.result; }
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
    const std::vector<int>& getOwners() const { return match.getOwners(); }
    // Matches won by each player since the program started.
    int getWins(int number) const { return score.wins[number]; }
    bool isPaused() const { return score.paused; }
    // True from a match start until its result.
    bool inMatch() const { return score.inMatch(); }
    int getMatchesStarted() const { return score.matchesStarted; }
    // Steps played in the current (or last) match.
    unsigned long getStepCount() const { return match.getStepCount(); }
    // The computer-player level of a player (0: the classic decision, and
    // every human seat), as read at the last match start.
    int getLevel(int player) const { return match.getLevel(player); }
    // Game milliseconds left of the countdown before the first step
    // ("COUNTDOWN"); 0 when there is none or it is over.
    float getCountdown() const { return score.pace.countdownLeft(); }
    // True once the rest of the match plays fast ("FAST_FORWARD"): people
    // play it and none of them is left.
    bool fastForwarding() const;

    // True once a match could not be recorded in "RECORD_DIR".
    bool recordingFailed() const { return recorder.failed(); }

    // Restarts both random generators from seed, as "GAME_SEED" would at
    // the start of a run. The game never calls it; a match simulator does
    // before each match, so that one match can be replayed on its own.
    void reseed(unsigned int seed);

private:
    void startOptions();
    MatchSetup nextSetup();
    void step();
    void playFast(float elapsed);
    bool playStep();
    void finish();
    void stopReplay();
    void usePads();
    void leave();

    Game::GameManager* gameManager;
    MainView* view;
    // The file "REPLAY" names, read at construction; null without.
    std::unique_ptr<Replay> replay;
    Match match;
    float stepTimer;

    // Read at the first match start and kept for the rest of the run, never
    // re-read: the seed ("GAME_SEED", unless reseed came first) and the turn
    // chance.
    bool seeded;
    bool turnChanceRead;
    int turnChance;

    MatchOptions options;
    // The people's keys, presses and pads, turned into each step's inputs.
    PeopleInput people;
    Scoreboard score;
    TextView* textView;
    bool listening;
    ReplayRecorder recorder;
    std::unique_ptr<ReplayPlayback> playback;
    // The player numbers the people here steer: 0 to options.humans - 1.
    std::vector<int> seats;
    // The match's sound cues ("SOUND"); null without.
    std::unique_ptr<MatchSounds> sounds;
};

} // namespace Tool
