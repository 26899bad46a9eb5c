#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Events/I_EventConsumer.h"
#include "Game/I_LogicState.h"
#include "OnlineScreen.h"
#include "OnlineSteering.h"
#include "app/input/MatchOptions.h"
#include "app/input/Scoreboard.h"
#include "app/online/ClientSession.h"

namespace Game {
class GameManager;
class I_View;
} // namespace Game

namespace Tool {

class Match;
class MatchSounds;
class OnlineTextView;

// The one logic state of an online client ("ONLINE", in place of the title
// and the match when "CONNECT" is set): joins the server as "NAME" (with
// "PASSWORD"), with one seat per local person ("HUMAN_PLAYERS", 1 to 4),
// services the session every frame, sends the people's turns, draws the
// session's predicted match and always shows the words (OnlineTextView).
// Space (or a seat's pad's A) says ready or not in the lobby, the leave key
// ("KEY_LEAVE", or a pad's B when it is set) leaves the match and the server,
// Escape quits outside a match. A refusal or a lost server is shown with its
// reason until Escape; after a lost server Space joins again with the last
// join's token, which takes the seats back. Prints each match's result on
// standard output as local play does, and plays its sound cues ("SOUND") as
// local play does, for this window's people. Owns the session, both views
// and the cues; the game manager is not owned.
class OnlineLogic : public Game::I_LogicState, public EVT::I_EventConsumer {
public:
    static constexpr unsigned char KEY_ESCAPE = 27;
    static constexpr unsigned char KEY_SPACE = 32;

    // Makes the view that draws a match with its scoreboard and marks the
    // heads of the seats steered here: the game hands in its own arena view
    // (MainView), so that this folder needs nothing of the game's local
    // states.
    using ArenaMaker = std::function<Game::I_View*(const Match&, const Scoreboard&,
                                                  const std::vector<int>& seats)>;
    // Makes the transport of each join.
    using TransportMaker = std::function<std::unique_ptr<Online::I_Transport>()>;

    // The online client's joins go over transports from maker from now on,
    // and its time is theirs: a test's network in memory with simulated
    // time. Kept for the rest of the process, like the devices; an empty
    // maker brings the real network back.
    static void useTransports(TransportMaker maker);

    // Reads the settings and starts joining. Throws std::invalid_argument,
    // with a message for the player, for a "CONNECT" it cannot read.
    OnlineLogic(Game::GameManager* gameManager, ArenaMaker arenaMaker);
    ~OnlineLogic() override;
    OnlineLogic(const OnlineLogic&) = delete;
    OnlineLogic& operator=(const OnlineLogic&) = delete;

    void setPause(bool paused) override;
    void onEnter(const std::string& previous, const std::string& reason) override;
    // Services the session and sends the turns; never asks to leave.
    std::string onUpdate(float elapsed) override;
    void doExit(const std::string& next) override;
    // Key presses: ready, leave, quit and the turn buffer's presses.
    void handleEvent(EVT::I_Event* event) override;

    const OnlineScreen& getScreen() const { return screen; }
    const Online::ClientSession& getSession() const { return *session; }
    Game::I_View* getView() const { return arena; }
    OnlineTextView* getTextView() const { return words; }

private:
    void fillScreen();
    void startMatch();
    void endMatch();
    void usePads();
    void steer();
    void leave();
    void rejoin();
    void quit();
    void removeArena();
    void join();

    Game::GameManager* gameManager;
    MatchOptions options;
    // How it joins; the token of the last join is kept for a rejoin.
    Online::ClientOptions client;
    std::unique_ptr<Online::ClientSession> session;
    OnlineScreen screen;
    // The arena view reads the result here: "LEAVE" draws no arena.
    Scoreboard score;
    OnlineSteering steering;
    ArenaMaker makeArena;
    Game::I_View* arena;
    // The match the arena view draws: a new match may be a new object.
    const Match* arenaMatch;
    OnlineTextView* words;
    // The match's sound cues while a match is shown ("SOUND"); read from
    // the session, so they go before it.
    bool soundOn;
    std::unique_ptr<MatchSounds> sounds;
    bool inMatch;
};

} // namespace Tool
