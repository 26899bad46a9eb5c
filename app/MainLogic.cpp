#include "MainLogic.h"

#include <ostream>
#include <stdexcept>

#include "CFG/CFG.h"
#include "ComputerPlayers.h"
#include "Devices/Devices.h"
#include "Devices/KeyboardStrings.h"
#include "Events/EventBus.h"
#include "Events/EventType.h"
#include "Events/Event_Key.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "MainView.h"
#include "Random/RandSimple.h"
#include "TextView.h"
#include "Util/Debug.h"

namespace Tool {

namespace {

const int STEP_X[4] = {0, 0, -1, 1};
const int STEP_Y[4] = {-1, 1, 0, 0};

// The steering keys in the order they are looked at; a later one wins.
const char* const KEY_SETTINGS[4] = {"KEY_MOVE_UP", "KEY_MOVE_DOWN", "KEY_MOVE_LEFT",
                                     "KEY_MOVE_RIGHT"};

// Draws a person's start place may take before the last one is kept: a
// small crowded arena may have no place that is free two cells ahead.
constexpr int MAX_START_DRAWS = 1000;
// Skips the rest of a fast-forwarded match.
constexpr unsigned char SKIP_KEY = 32;

int readInt(const char* key)
{
    return CFG::parser()->getNumber<int>(key);
}

float moveTime()
{
    // Read after every step: the key text is made and the
    // process-wide parser found once.
    static const std::string KEY = "MOVE_TIME";
    static const CFG::InfoParser* const PARSER = CFG::parser();
    return PARSER->getNumber<float>(KEY);
}

} // namespace

MainLogic::MainLogic(Game::GameManager* gameManager)
    : gameManager(gameManager), view(nullptr), result(),
      gridWidth(SettingsCheck::gridSide("GRID_WIDTH")),
      gridHeight(SettingsCheck::gridSide("GRID_HEIGHT")), grid(),
      playerCount(SettingsCheck::playerCount(gridWidth, gridHeight)), players(), stepTimer(0),
      keysRead(false), keyCodes{}, turnChanceRead(false), cachedTurnChance(0), options(),
      steering(), owners(), wins(), textView(nullptr), paused(false), listening(false),
      matchesStarted(0), stepCount(0), computers(new ComputerPlayers())
{
    grid.assign(static_cast<std::size_t>(gridWidth) * static_cast<std::size_t>(gridHeight), FREE);
    players.assign(static_cast<std::size_t>(playerCount), Player{0, 0, RIGHT, false});
    wins.assign(static_cast<std::size_t>(playerCount), 0);
    // Every seat's level is checked here, human or not, so that a wrong
    // level is reported before the window opens; each match start reads
    // them again for the seats people do not play.
    computers->readLevels(playerCount, 0);
    if (CFG::parser()->getBool("SHOW_TEXT")) {
        textView = new TextView(gameManager, this);
        gameManager->getViewManager()->add(textView);
    }
}

MainLogic::~MainLogic()
{
    doExit("");
}

void MainLogic::setPause(bool pause)
{
    if (options.pauseKey != 0) {
        paused = pause;
    }
}

void MainLogic::handleEvent(EVT::I_Event* event)
{
    const auto* key = dynamic_cast<const EVT::Event_Key*>(event);
    if (key == nullptr || !key->pressed || !inMatch()) {
        return;
    }
    if (key->key == SKIP_KEY && fastForwarding()) {
        pace.skip();
    } else if (options.leaveKey != 0 && key->key == options.leaveKey) {
        result = "LEAVE";
        // The arena's blink goes on behind the title screen.
        paused = false;
    } else if (options.pauseKey != 0 && key->key == options.pauseKey) {
        setPause(!paused);
    } else if ((options.turnBuffer || pace.countdownLeft() > 0) && !paused) {
        // Presses made during the countdown are kept for the first step.
        steering.press(key->key);
    }
}

void MainLogic::startOptions()
{
    // A limited "HUMAN_PLAYERS" is reported once, not at every match.
    std::ostream quiet(nullptr);
    options =
        MatchOptions::read(playerCount, matchesStarted == 1 ? *Util::Debug::instance().err : quiet);
    paused = false;
    unsigned char seatKeys[MatchOptions::MAX_HUMANS][4] = {};
    if ((options.turnBuffer || options.countdown > 0) && options.humans > 0) {
        // Presses are matched against seat 0's keys from the first step on.
        readKeyCodes();
        for (int d = 0; d < 4; ++d) {
            seatKeys[0][d] = keyCodes[d];
        }
    }
    for (int seat = 1; seat < options.humans; ++seat) {
        for (int d = 0; d < 4; ++d) {
            seatKeys[seat][d] = options.seatKeys[seat][d];
        }
    }
    steering.setSeats(options.humans, seatKeys);
    if (options.colors.empty()) {
        owners.clear();
    } else {
        owners.assign(grid.size(), 0);
    }
    if (options.needsPresses() && !listening) {
        EVT::EventBus::instance().addConsumer(EVT::KEY, this);
        listening = true;
    }
}

void MainLogic::onEnter(const std::string&, const std::string&)
{
    ++matchesStarted;
    startOptions();
    computers->readLevels(playerCount, options.humans);
    stepCount = 0;
    clearGrid();
    placePlayers();
    computers->startMatch(snapshot());
    stepTimer = moveTime();
    pace.start(options);
    if (view == nullptr) {
        view = new MainView(gameManager, this);
        gameManager->getViewManager()->add(view);
        if (textView != nullptr) {
            // Taken out and put back, so that the words stay above the arena.
            gameManager->getViewManager()->remove(textView);
            gameManager->getViewManager()->add(textView);
        }
    }
    result.clear();
}

void MainLogic::doExit(const std::string&)
{
    if (view != nullptr) {
        gameManager->getViewManager()->remove(view);
        delete view;
        view = nullptr;
    }
    if (textView != nullptr) {
        gameManager->getViewManager()->remove(textView);
        delete textView;
        textView = nullptr;
    }
    EVT::EventBus::instance().removeConsumer(this);
    listening = false;
}

std::string MainLogic::onUpdate(float elapsed)
{
    // A finished match stays as it ended until the next one starts.
    if (!result.empty() || paused || pace.countingDown(elapsed)) {
        return result;
    }
    if (fastForwarding()) {
        playFast(elapsed);
        return result;
    }
    stepTimer -= elapsed;
    if (stepTimer >= 0) {
        return result;
    }
    // The overshoot is dropped on purpose: a long frame plays one step, not
    // a burst of catch-up steps the player could not react to.
    stepTimer = moveTime();
    step();
    return result;
}

bool MainLogic::fastForwarding() const
{
    if (!options.fastForward || options.humans == 0 || !inMatch()) {
        return false;
    }
    for (int seat = 0; seat < options.humans; ++seat) {
        if (players[seat].alive) {
            return false;
        }
    }
    return true;
}

void MainLogic::playFast(float elapsed)
{
    // Every step of a match fills a free cell or puts a player out, so a
    // skip ends within as many steps as the grid has cells.
    const int steps = pace.fastSteps(elapsed, moveTime(), stepTimer, grid.size());
    for (int i = 0; i < steps && result.empty(); ++i) {
        step();
    }
}

unsigned char MainLogic::cell(int x, int y) const
{
    if (x < 0 || y < 0 || x >= gridWidth || y >= gridHeight) {
        return BLOCKED;
    }
    return grid[static_cast<std::size_t>(y) * gridWidth + x];
}

bool MainLogic::blocked(int x, int y) const
{
    return cell(x, y) != FREE;
}

void MainLogic::clearGrid()
{
    grid.assign(grid.size(), FREE);
    for (int x = 0; x < gridWidth; ++x) {
        grid[x] = BLOCKED;
        grid[static_cast<std::size_t>(gridHeight - 1) * gridWidth + x] = BLOCKED;
    }
    for (int y = 0; y < gridHeight; ++y) {
        grid[static_cast<std::size_t>(y) * gridWidth] = BLOCKED;
        grid[static_cast<std::size_t>(y) * gridWidth + gridWidth - 1] = BLOCKED;
    }
}

void MainLogic::placePlayers()
{
    players[0] = Player{gridWidth / 4, gridHeight / 4, RIGHT, true};
    players[1] = Player{gridWidth - gridWidth / 4 - 1, gridHeight - gridHeight / 4 - 1, LEFT, true};
    for (int k = 2; k < playerCount; ++k) {
        placeRandomPlayer(players[k]);
        // People get a fair start; computer players keep the classic draw.
        for (int draws = 1; isHuman(k) && draws < MAX_START_DRAWS && !goodHumanStart(players[k], k);
             ++draws) {
            placeRandomPlayer(players[k]);
        }
    }
    for (int k = 0; k < playerCount; ++k) {
        const std::size_t index = static_cast<std::size_t>(players[k].y) * gridWidth + players[k].x;
        grid[index] = BLOCKED;
        if (!owners.empty()) {
            owners[index] = k + 1;
        }
    }
}

bool MainLogic::goodHumanStart(const Player& player, int number) const
{
    // Its own cell and the two ahead: no wall, no earlier player.
    for (int i = 0; i <= 2; ++i) {
        const int x = player.x + STEP_X[player.heading] * i;
        const int y = player.y + STEP_Y[player.heading] * i;
        if (blocked(x, y)) {
            return false;
        }
        for (int other = 0; other < number; ++other) {
            if (players[other].x == x && players[other].y == y) {
                return false;
            }
        }
    }
    return true;
}

void MainLogic::placeRandomPlayer(Player& player)
{
    const double f1 = startRandom().getFloat();
    const double f2 = startRandom().getFloat();
    player.x = 1 + static_cast<int>(f1 * (gridWidth - 2));
    player.y = 1 + static_cast<int>(f2 * (gridHeight - 2));
    // The generator can return exactly 1.0, which would put the player on
    // the wall ring, from where it could later step outside the grid.
    if (player.x > gridWidth - 2) {
        player.x = gridWidth - 2;
    }
    if (player.y > gridHeight - 2) {
        player.y = gridHeight - 2;
    }
    player.heading = player.x / (gridWidth / 4) == 1 ? RIGHT : LEFT;
    player.alive = true;
}

void MainLogic::step()
{
    ++stepCount;
    steerPeople();
    for (int k = 0; k < playerCount; ++k) {
        Player& player = players[k];
        if (!player.alive) {
            continue;
        }
        if (!isHuman(k)) {
            decide(k);
        }
        move(player);
    }
    countSurvivors();
}

void MainLogic::applyCountdownPresses()
{
    // Held keys steer at every step; the presses of the countdown turn each
    // person once, the last one that is not straight back counting.
    for (int seat = 0; seat < options.humans; ++seat) {
        Player& player = players[seat];
        for (int heading = steering.takePress(seat, player.heading, false);
             heading != Steering::NONE; heading = steering.takePress(seat, player.heading, false)) {
            player.heading = heading;
        }
    }
}

void MainLogic::steerPeople()
{
    if (stepCount == 1 && options.countdown > 0 && !options.turnBuffer) {
        applyCountdownPresses();
    }
    if (options.turnBuffer) {
        for (int seat = 0; seat < options.humans; ++seat) {
            Player& player = players[seat];
            const bool blockedBehind =
                blocked(player.x - STEP_X[player.heading], player.y - STEP_Y[player.heading]);
            const int heading = steering.takePress(seat, player.heading, blockedBehind);
            if (heading != Steering::NONE) {
                player.heading = heading;
            }
        }
        return;
    }
    if (options.humans > 0) {
        steerFromKeyboard();
    }
    for (int seat = 1; seat < options.humans; ++seat) {
        players[seat].heading = steering.heldHeading(seat, players[seat].heading);
    }
}

void MainLogic::steerFromKeyboard()
{
    readKeyCodes();
    const int headings[4] = {UP, DOWN, LEFT, RIGHT};
    for (int i = 0; i < 4; ++i) {
        if (keyDown(i)) {
            players[0].heading = headings[i];
        }
    }
}

void MainLogic::readKeyCodes()
{
    if (keysRead) {
        return;
    }
    const auto& mapping = Devices::KeyboardStrings::instance().keyMapping();
    for (int i = 0; i < 4; ++i) {
        keyCodes[i] = mapping.getKey(CFG::get(KEY_SETTINGS[i]));
    }
    keysRead = true;
}

bool MainLogic::keyDown(int setting) const
{
    const Devices::Keyboard* keyboard = Devices::getKeyboard();
    // Code 0 is what an unknown key name maps to: it must never steer.
    return keyboard != nullptr && keyCodes[setting] != 0 && keyboard->keyDown[keyCodes[setting]];
}

void MainLogic::decide(int number)
{
    // Exactly one draw per decision, whatever the outcome and the level: the
    // sequence of draws then depends only on who is still in.
    Player& player = players[number];
    const int r = static_cast<int>(decisionRandom().getFloat() * 100);
    const int chance = turnChance();
    const int classic = decideHeading(player.heading, r, chance, [&](int heading) {
        return blocked(player.x + STEP_X[heading], player.y + STEP_Y[heading]);
    });
    player.heading =
        computers->levelOf(number) == 0 ? classic : computers->decide(snapshot(), number, classic);
}

GridSnapshot MainLogic::snapshot() const
{
    return GridSnapshot{gridWidth, gridHeight, grid.data(), players.data(), playerCount, stepCount};
}

int MainLogic::getLevel(int player) const
{
    return computers->levelOf(player);
}

void MainLogic::reseed(unsigned int seed)
{
    startGenerator.reset(new RNG::RandSimple(seed));
    decisionGenerator.reset(new RNG::RandSimple(seed));
}

void MainLogic::move(Player& player)
{
    player.x += STEP_X[player.heading];
    player.y += STEP_Y[player.heading];
    if (blocked(player.x, player.y)) {
        player.alive = false;
        return;
    }
    const std::size_t index = static_cast<std::size_t>(player.y) * gridWidth + player.x;
    grid[index] = BLOCKED;
    if (!owners.empty()) {
        owners[index] = static_cast<int>(&player - players.data()) + 1;
    }
}

void MainLogic::countSurvivors()
{
    int alive = 0;
    int survivor = -1;
    for (int k = 0; k < playerCount; ++k) {
        if (players[k].alive) {
            ++alive;
            survivor = k;
        }
    }
    if (alive == 0) {
        result = "DRAW";
    } else if (alive == 1) {
        result = "WIN=" + std::to_string(survivor);
        ++wins[survivor];
    } else {
        return;
    }
    *Util::Debug::instance().out << result << std::endl;
}

RNG::RandSimple& MainLogic::startRandom()
{
    if (!startGenerator) {
        startGenerator.reset(
            new RNG::RandSimple(CFG::parser()->getNumber<unsigned int>("GAME_SEED")));
    }
    return *startGenerator;
}

RNG::RandSimple& MainLogic::decisionRandom()
{
    if (!decisionGenerator) {
        decisionGenerator.reset(
            new RNG::RandSimple(CFG::parser()->getNumber<unsigned int>("GAME_SEED")));
    }
    return *decisionGenerator;
}

int MainLogic::turnChance()
{
    if (!turnChanceRead) {
        cachedTurnChance = readInt("TURN_CHANCE");
        turnChanceRead = true;
    }
    return cachedTurnChance;
}

} // namespace Tool
