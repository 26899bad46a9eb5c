#pragma once

#include <string>
#include <vector>

#include "Game/I_View.h"
#include "TextLines.h"
#include "Util/RGBA.h"

namespace Game {
class GameManager;
}

namespace Tool {

class Match;
struct Scoreboard;

// The words on screen ("SHOW_TEXT"), drawn in the block font over
// whatever is below, translucent so that no head is hidden: the game's
// name, the keys to press and each person's steering keys on the title
// screen; each player's wins in its colour along the top edge; the
// winner's line ("PLAYER k+1 WINS") or "DRAW" over the frozen arena until
// the next match; "PAUSED" and the key that resumes while a match is
// paused; the pause and leave keys on the title screen when they are set;
// the seconds of a countdown ("COUNTDOWN"). With "TEXT_BACKING" each line
// sits on a dark translucent box, so it reads over a trail of its own
// colour. Reads everything it
// shows from the match; owns its vertex buffer and the key lines built at
// construction; the game manager, its render controller and the match are
// not owned.
class TextView : public Game::I_View {
public:
    using Line = TextLines::Line;

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

    // What the next frame shows, line by line, with where and in which
    // colour; the drawing is these lines in the block font.
    const std::vector<Line>& layout();

private:
    void layoutTitle();
    void layoutScores();
    std::string scoreLabel(int player) const;
    void layoutResult();
    void layoutMatch();
    void layoutNotice();
    Util::RGBA colorOf(int player) const;

    [[maybe_unused]] Game::GameManager* gameManager;
    const Match& match;
    const Scoreboard& score;
    bool words;
    int screenWidth;
    int screenHeight;
    // "PLAYER k+1  UP LEFT DOWN RIGHT" for each person, when several play.
    std::vector<std::string> keyLines;
    // The names of the pause and leave keys when they are set, else empty.
    std::string pauseName;
    std::string leaveName;
    std::vector<Util::RGBA> startColors;
    TextLines lines;
};

} // namespace Tool
