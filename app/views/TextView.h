#pragma once

#include <string>
#include <vector>

#include "Game/I_View.h"
#include "ScreenLayout.h"
#include "ScreenPainter.h"
#include "ScreenWords.h"
#include "Util/RGBA.h"

namespace Game {
class GameManager;
}

namespace Tool {

class Match;
struct Scoreboard;

// The words of local play ("SHOW_TEXT"), placed by ScreenLayout and drawn
// by ScreenPainter. In a band above the arena, from the first match on,
// each player's wins in its colour ("YOU" for the only person at the
// window). On opaque panels over the arena: the title (the game's name,
// who each person is and which keys steer, "SPACE START · ESC QUIT", the
// pause and leave keys when set, "NO SOUND DEVICE" when sound was asked
// for and no device opened); the countdown's seconds with who each person
// is, away from the first person's head; "PAUSED" with the key that
// resumes; "YOU ARE OUT" once no person is left in a match (with "FAST
// FORWARD · SPACE SKIPS" when it plays on fast); the result in the
// people's terms ("YOU WIN", "YOU LOSE · ORANGE WINS", "DRAW") with the
// keys. A replay's notice is shown even without "SHOW_TEXT". Reads what it
// shows from the match and the scoreboard; owns its painter and what it
// read at construction; the game manager, the match and the scoreboard
// are not owned.
class TextView : public Game::I_View {
public:
    // Without words, only a notice is shown (a replay that no longer
    // matches), as its two lines.
    TextView(Game::GameManager* gameManager, const Match& match, const Scoreboard& score,
             bool words = true);
    ~TextView() override;
    TextView(const TextView&) = delete;
    TextView& operator=(const TextView&) = delete;

    void setPause(bool paused) override;
    void setScreenSize(int width, int height) override;
    void preUpdate(float delta) override;
    void onUpdate(float elapsed) override;
    void onRender() override;
    EVT::I_Event* onInput(EVT::I_Event* event) override;
    Game::ViewBox getViewBox() const override;

    // What the next frame says, as rows, and where each is drawn.
    ScreenWords words() const;
    const ScreenLayout::Result& layout();
    // Whether the words are on ("SHOW_TEXT"), not only a replay's notice.
    bool showsWords() const { return wordsOn; }
    // The seats people steer at this window.
    std::vector<int> ownSeats() const;

private:
    void addBand(ScreenWords& out) const;
    void addTitle(ScreenWords& out) const;
    void addIdentities(ScreenWords& out) const;
    void addMatch(ScreenWords& out) const;
    void addResult(ScreenWords& out) const;
    void addNotice(ScreenWords& out) const;
    bool peopleOut() const;
    int humans() const;
    Util::RGBA colorOf(int player) const;
    std::vector<std::string> labels() const;

    [[maybe_unused]] Game::GameManager* gameManager;
    const Match& match;
    const Scoreboard& score;
    bool wordsOn;
    int screenWidth;
    int screenHeight;
    // Read at construction: the people, their colours and keys before the
    // first match, the pause and leave keys' names (empty when unset),
    // fast-forward, and whether sound was asked for and found no device.
    int startHumans;
    std::vector<Util::RGBA> startColors;
    std::vector<std::string> seatKeys;
    std::string pauseName;
    std::string leaveName;
    bool fastForward;
    bool noSoundDevice;
    ScreenPainter painter;
    ScreenLayout::Result placed;
};

} // namespace Tool
