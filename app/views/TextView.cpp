#include "TextView.h"

#include <cctype>
#include <cmath>
#include <ostream>

#include "CFG/CFG.h"
#include "ColorNames.h"
#include "Game/GameManager.h"
#include "PlayerWords.h"
#include "app/input/SeatResult.h"
#include "app/match/Match.h"
#include "app/input/MatchOptions.h"
#include "app/input/PadControl.h"
#include "app/input/Scoreboard.h"
#include "app/sound/SoundChoice.h"

namespace Tool {

namespace {

using Row = ScreenWords::Row;

const std::string DOT = " \xC2\xB7 ";
const std::string START_KEYS = "SPACE START" + DOT + "ESC QUIT";
const Util::RGBA WHITE(255, 255, 255, 255);
const Util::RGBA WARNING(255, 190, 60, 255);

const char* const DIRECTION_WORDS[4] = {"_UP", "_LEFT", "_DOWN", "_RIGHT"};
const char* const CLASSIC_KEYS[4] = {"KEY_MOVE_UP", "KEY_MOVE_LEFT", "KEY_MOVE_DOWN",
                                     "KEY_MOVE_RIGHT"};

// The keys (and pad) that steer a seat, in words.
std::string seatKeysPhrase(int seat)
{
    std::vector<std::string> names;
    for (int d = 0; d < 4; ++d) {
        const std::string key = seat == 0 ? std::string(CLASSIC_KEYS[d])
                                          : "KEY_P" + std::to_string(seat + 1) + DIRECTION_WORDS[d];
        names.push_back(CFG::get(key));
    }
    std::ostream quiet(nullptr);
    const int pad = seat < PadControl::MAX_SEATS ? PadControl::padSetting(seat, quiet) : -1;
    return PlayerWords::keys(names, pad + 1);
}

} // namespace

TextView::TextView(Game::GameManager* gameManager, const Match& match, const Scoreboard& score,
                   bool words)
    : gameManager(gameManager), match(match), score(score), wordsOn(words), screenWidth(0),
      screenHeight(0), startHumans(0), startColors(), seatKeys(), pauseName(), leaveName(),
      fastForward(false), noSoundDevice(soundDeviceMissing()),
      painter(gameManager->getRenderController()), placed()
{
    // The title screen shows before the first match has read the options.
    std::ostream quiet(nullptr);
    const MatchOptions options = MatchOptions::read(match.getPlayerCount(), quiet);
    startHumans = options.humans;
    startColors = options.colors;
    fastForward = options.fastForward;
    if (options.pauseKey != 0) {
        pauseName = PlayerWords::keyName(CFG::get("KEY_PAUSE"));
    }
    if (options.leaveKey != 0) {
        leaveName = PlayerWords::keyName(CFG::get("KEY_LEAVE"));
    }
    for (int seat = 0; seat < options.humans; ++seat) {
        seatKeys.push_back(seatKeysPhrase(seat));
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
}

Game::ViewBox TextView::getViewBox() const
{
    return Game::ViewBox{0, 0, screenWidth, screenHeight};
}

EVT::I_Event* TextView::onInput(EVT::I_Event* event)
{
    return event;
}

int TextView::humans() const
{
    return score.matchesStarted > 0 ? match.getSetup().humans : startHumans;
}

std::vector<int> TextView::ownSeats() const
{
    std::vector<int> seats;
    for (int seat = 0; seat < humans() && seat < match.getPlayerCount(); ++seat) {
        seats.push_back(seat);
    }
    return seats;
}

Util::RGBA TextView::colorOf(int player) const
{
    const std::vector<Util::RGBA>& colors =
        score.matchesStarted > 0 ? match.getSetup().colors : startColors;
    if (player < 0 || static_cast<std::size_t>(player) >= colors.size()) {
        return WHITE;
    }
    return colors[static_cast<std::size_t>(player)];
}

std::vector<std::string> TextView::labels() const
{
    const std::vector<Util::RGBA>& colors =
        score.matchesStarted > 0 ? match.getSetup().colors : startColors;
    return ColorNames::labels(colors, match.getPlayerCount());
}

void TextView::addBand(ScreenWords& out) const
{
    const bool onePerson = humans() == 1;
    for (int k = 0; k < match.getPlayerCount(); ++k) {
        const std::string label = onePerson && k == 0 ? "YOU" : "P" + std::to_string(k + 1);
        out.band.push_back(Row(label + " " + std::to_string(score.wins[std::size_t(k)]),
                               ScreenWords::SMALL, colorOf(k)));
    }
}

void TextView::addIdentities(ScreenWords& out) const
{
    const std::vector<std::string> names = labels();
    for (const int seat : ownSeats()) {
        const std::string keys =
            static_cast<std::size_t>(seat) < seatKeys.size() ? seatKeys[std::size_t(seat)] : "";
        out.head.push_back(
            Row(PlayerWords::identity(seat, humans() == 1, names[std::size_t(seat)], keys),
                ScreenWords::LINE, colorOf(seat)));
    }
}

void TextView::addTitle(ScreenWords& out) const
{
    out.head.push_back(Row("VEKTRA", ScreenWords::TITLE));
    addIdentities(out);
    out.tail.push_back(Row(START_KEYS, ScreenWords::SMALL));
    if (!pauseName.empty() || !leaveName.empty()) {
        std::string keys = pauseName.empty() ? "" : pauseName + " PAUSE";
        if (!leaveName.empty()) {
            keys += (keys.empty() ? "" : DOT) + leaveName + " LEAVE";
        }
        out.tail.push_back(Row(keys, ScreenWords::SMALL));
    }
    if (noSoundDevice) {
        out.tail.push_back(Row("NO SOUND DEVICE", ScreenWords::SMALL, WARNING));
    }
}

bool TextView::peopleOut() const
{
    const std::vector<int> seats = ownSeats();
    for (const int seat : seats) {
        if (match.getPlayer(seat).alive) {
            return false;
        }
    }
    return !seats.empty();
}

void TextView::addMatch(ScreenWords& out) const
{
    if (score.paused) {
        out.head.push_back(Row("PAUSED", ScreenWords::TITLE));
        if (!pauseName.empty()) {
            out.tail.push_back(Row(pauseName + " RESUMES", ScreenWords::SMALL));
        }
    } else if (score.pace.countdownLeft() > 0) {
        // Whole seconds left, counted up: 3, 2, 1.
        const int seconds = static_cast<int>(std::ceil(score.pace.countdownLeft() / 1000));
        out.head.push_back(Row(std::to_string(seconds), ScreenWords::HUGE));
        addIdentities(out);
        // Away from the first person's head, which must stay in sight.
        const std::vector<int> seats = ownSeats();
        if (!seats.empty()) {
            const bool upperHalf = match.getPlayer(seats.front()).y < match.getGridHeight() / 2;
            out.place = upperHalf ? ScreenWords::BOTTOM : ScreenWords::TOP;
        }
    } else if (peopleOut()) {
        out.head.push_back(Row(fastForward
                                   ? "YOU ARE OUT" + DOT + "FAST FORWARD" + DOT + "SPACE SKIPS"
                                   : "YOU ARE OUT",
                               ScreenWords::LINE));
        out.place = ScreenWords::BOTTOM;
    }
}

void TextView::addResult(ScreenWords& out) const
{
    const int winner = SeatResult::winner(score.result);
    out.head.push_back(Row(PlayerWords::result(score.result, ownSeats(), labels()),
                           ScreenWords::TITLE, colorOf(winner)));
    out.tail.push_back(Row(START_KEYS, ScreenWords::SMALL));
}

// The notice's heading, then its detail (after ": ") below it.
void TextView::addNotice(ScreenWords& out) const
{
    const std::size_t colon = score.notice.find(": ");
    out.head.push_back(Row(score.notice.substr(0, colon), ScreenWords::LINE));
    if (colon != std::string::npos) {
        out.head.push_back(Row(score.notice.substr(colon + 2), ScreenWords::SMALL));
    }
    if (wordsOn) {
        out.tail.push_back(Row(START_KEYS, ScreenWords::SMALL));
    }
}

ScreenWords TextView::words() const
{
    ScreenWords out;
    if (!wordsOn) {
        if (!score.notice.empty()) {
            addNotice(out);
        }
        return out;
    }
    if (score.matchesStarted > 0) {
        addBand(out);
    }
    const std::string& result = score.result;
    if (score.inMatch()) {
        addMatch(out);
    } else if (!score.notice.empty()) {
        addNotice(out);
    } else if (result == "DRAW" || result.rfind("WIN=", 0) == 0) {
        addResult(out);
    } else {
        addTitle(out);
    }
    return out;
}

const ScreenLayout::Result& TextView::layout()
{
    placed = ScreenLayout::place(words(), screenWidth, screenHeight, painter.metrics());
    return placed;
}

void TextView::onRender()
{
    painter.draw(layout(), screenWidth, screenHeight);
}

} // namespace Tool
