#include "TextView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>

#include "CFG/CFG.h"
#include "Game/GameManager.h"
#include "Render/BlockFont.h"
#include "app/input/MatchOptions.h"
#include "app/input/Scoreboard.h"
#include "app/match/Match.h"

namespace Tool {

namespace {

// Opacity of the words: enough to read, little enough that a head under a
// letter still shows.
constexpr std::uint8_t LINE_ALPHA = 0xB0;
constexpr std::uint8_t SCORE_ALPHA = 0x90;

const char* const DIRECTION_WORDS[4] = {"_UP", "_LEFT", "_DOWN", "_RIGHT"};
const char* const CLASSIC_KEYS[4] = {"KEY_MOVE_UP", "KEY_MOVE_LEFT", "KEY_MOVE_DOWN",
                                     "KEY_MOVE_RIGHT"};

Util::RGBA withAlpha(Util::RGBA color, std::uint8_t alpha)
{
    color.a = alpha;
    return color;
}

std::string keyLine(int seat)
{
    std::string line = "PLAYER " + std::to_string(seat + 1) + " ";
    for (int d = 0; d < 4; ++d) {
        const std::string key = seat == 0 ? std::string(CLASSIC_KEYS[d])
                                          : "KEY_P" + std::to_string(seat + 1) + DIRECTION_WORDS[d];
        line += " " + CFG::get(key);
    }
    return line;
}

} // namespace

TextView::TextView(Game::GameManager* gameManager, const Match& match, const Scoreboard& score,
                   bool words)
    : gameManager(gameManager), match(match), score(score), words(words), screenWidth(0),
      screenHeight(0), keyLines(), pauseName(), leaveName(), startColors(),
      lines(gameManager->getRenderController(), CFG::parser()->getBool("TEXT_BACKING"))
{
    // The title screen shows before the first match has read the options.
    std::ostream quiet(nullptr);
    const MatchOptions options = MatchOptions::read(match.getPlayerCount(), quiet);
    startColors = options.colors;
    if (options.pauseKey != 0) {
        pauseName = CFG::get("KEY_PAUSE");
    }
    if (options.leaveKey != 0) {
        leaveName = CFG::get("KEY_LEAVE");
    }
    if (options.humans > 1) {
        for (int seat = 0; seat < options.humans; ++seat) {
            keyLines.push_back(keyLine(seat));
        }
    }
}

TextView::~TextView() {}

void TextView::setPause(bool) {}

void TextView::preUpdate(float) {}

void TextView::onUpdate(float) {}

void TextView::setScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
    lines.setScreenSize(width, height);
}

Game::ViewBox TextView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

EVT::I_Event* TextView::onInput(EVT::I_Event* event)
{
    return event;
}

Util::RGBA TextView::colorOf(int player) const
{
    const std::vector<Util::RGBA>& colors =
        score.matchesStarted > 0 ? match.getSetup().colors : startColors;
    if (player < 0 || static_cast<std::size_t>(player) >= colors.size()) {
        return Util::RGBA(255, 255, 255, 255);
    }
    return colors[static_cast<std::size_t>(player)];
}

void TextView::layoutTitle()
{
    const float unit = screenHeight / 100.0f;
    const Util::RGBA white(255, 255, 255, LINE_ALPHA);
    lines.addCentred("VEKTRA", screenHeight * 0.72f, 2.5f * unit, white);
    lines.addCentred("SPACE START \xC2\xB7 ESC QUIT", screenHeight * 0.45f, 0.8f * unit, white);
    float top = screenHeight * 0.34f;
    if (!pauseName.empty() || !leaveName.empty()) {
        std::string keys = pauseName.empty() ? "" : pauseName + " PAUSE";
        if (!leaveName.empty()) {
            keys += (keys.empty() ? "" : " \xC2\xB7 ") + leaveName + " LEAVE";
        }
        lines.addCentred(keys, top, 0.6f * unit, white);
        top -= 10 * 0.6f * unit;
    }
    for (std::size_t seat = 0; seat < keyLines.size(); ++seat) {
        lines.addCentred(keyLines[seat], top, 0.6f * unit,
                         withAlpha(colorOf(static_cast<int>(seat)), LINE_ALPHA));
        top -= 10 * 0.6f * unit;
    }
}

void TextView::layoutScores()
{
    const int players = match.getPlayerCount();
    const float slot = static_cast<float>(screenWidth) / players;
    // One size for every label, the largest that lets the widest fit.
    float pixelSize = screenHeight * 0.007f;
    for (int k = 0; k < players; ++k) {
        pixelSize = std::min(pixelSize, slot * 0.8f / Render::BlockFont::width(scoreLabel(k)));
    }
    // Below one screen pixel per font pixel the words are unreadable.
    if (pixelSize < 1) {
        return;
    }
    for (int k = 0; k < players; ++k) {
        lines.add(scoreLabel(k), slot * (k + 0.5f), screenHeight - pixelSize, pixelSize,
                  withAlpha(colorOf(k), SCORE_ALPHA));
    }
}

std::string TextView::scoreLabel(int player) const
{
    return "P" + std::to_string(player + 1) + " " +
           std::to_string(score.wins[static_cast<std::size_t>(player)]);
}

void TextView::layoutResult()
{
    const std::string& result = score.result;
    const float unit = screenHeight / 100.0f;
    if (result == "DRAW") {
        lines.addCentred("DRAW", screenHeight * 0.6f, 2.0f * unit,
                         Util::RGBA(255, 255, 255, LINE_ALPHA));
    } else {
        const int winner = std::atoi(result.c_str() + 4);
        lines.addCentred("PLAYER " + std::to_string(winner + 1) + " WINS", screenHeight * 0.6f,
                         2.0f * unit, withAlpha(colorOf(winner), LINE_ALPHA));
    }
    lines.addCentred("SPACE START \xC2\xB7 ESC QUIT", screenHeight * 0.4f, 0.8f * unit,
                     Util::RGBA(255, 255, 255, LINE_ALPHA));
}

void TextView::layoutMatch()
{
    const Util::RGBA white(255, 255, 255, LINE_ALPHA);
    if (score.paused) {
        lines.addCentred("PAUSED", screenHeight * 0.6f, screenHeight / 50.0f, white);
        lines.addCentred(pauseName + " RESUMES", screenHeight * 0.5f, screenHeight / 100.0f, white);
    } else if (score.pace.countdownLeft() > 0) {
        // Whole seconds left, counted up: 3, 2, 1.
        const int seconds = static_cast<int>(std::ceil(score.pace.countdownLeft() / 1000));
        lines.addCentred(std::to_string(seconds), screenHeight * 0.6f, screenHeight / 25.0f, white);
    }
}

// The notice's heading large, its detail (after ": ") below it, opaque on
// dark boxes: it must read over any trail.
void TextView::layoutNotice()
{
    const float unit = screenHeight / 100.0f;
    const Util::RGBA white(255, 255, 255, 255);
    const std::size_t colon = score.notice.find(": ");
    lines.addCentred(score.notice.substr(0, colon), screenHeight * 0.6f, 1.2f * unit, white, true);
    if (colon != std::string::npos) {
        lines.addCentred(score.notice.substr(colon + 2), screenHeight * 0.5f, 0.8f * unit, white,
                         true);
    }
    if (words) {
        lines.addCentred("SPACE START \xC2\xB7 ESC QUIT", screenHeight * 0.4f, 0.8f * unit, white);
    }
}

const std::vector<TextView::Line>& TextView::layout()
{
    lines.clear();
    const std::string& result = score.result;
    if (!words) {
        if (!score.notice.empty()) {
            layoutNotice();
        }
        return lines.getLines();
    }
    if (score.matchesStarted > 0) {
        layoutScores();
    }
    if (score.inMatch()) {
        layoutMatch();
    } else if (!score.notice.empty()) {
        layoutNotice();
    } else if (result == "DRAW" || result.rfind("WIN=", 0) == 0) {
        layoutResult();
    } else {
        layoutTitle();
    }
    return lines.getLines();
}

void TextView::onRender()
{
    layout();
    lines.draw();
}

} // namespace Tool
