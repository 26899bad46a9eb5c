#include "MainLogic.h"

#include <ostream>
#include <stdexcept>

#include "CFG/CFG.h"
#include "ComputerPlayers.h"
#include "Devices/Devices.h"
#include "Devices/KeyboardStrings.h"
#include "Events/EventBus.h"
#include "Game/GameManager.h"
#include "Game/ViewManager.h"
#include "MainView.h"
#include "Random/RandSimple.h"
#include "Util/Debug.h"
#include "Util/StringHelpers.h"

namespace Tool {

namespace {

const int STEP_X[4] = {0, 0, -1, 1};
const int STEP_Y[4] = {-1, 1, 0, 0};

// The steering keys in the order they are looked at; a later one wins.
const char* const KEY_SETTINGS[4] = {"KEY_MOVE_UP", "KEY_MOVE_DOWN", "KEY_MOVE_LEFT",
                                     "KEY_MOVE_RIGHT"};

constexpr int MIN_GRID_SIDE = 4;
constexpr int MIN_PLAYERS = 2;

int readInt(const char* key)
{
    return CFG::parser()->getNumber<int>(key);
}

float moveTime()
{
    return CFG::parser()->getNumber<float>("MOVE_TIME");
}

int gridSide(const char* key)
{
    const int value = readInt(key);
    if (value > MainLogic::MAX_GRID_SIDE) {
        throw std::invalid_argument(std::string(key) + " == " + std::to_string(value) +
                                    " is too large: at most " +
                                    std::to_string(MainLogic::MAX_GRID_SIDE) + " cells");
    }
    return value < MIN_GRID_SIDE ? MIN_GRID_SIDE : value;
}

} // namespace

MainLogic::MainLogic(Game::GameManager* gameManager)
    : gameManager(gameManager), view(nullptr), result(), gridWidth(gridSide("GRID_WIDTH")),
      gridHeight(gridSide("GRID_HEIGHT")), grid(), playerCount(readInt("NUM_PLAYERS")), players(),
      stepTimer(0), stepCount(0), firstComputer(readFirstComputerPlayer()),
      computers(new ComputerPlayers()), keysRead(false), keyCodes{}, turnChanceRead(false),
      cachedTurnChance(0)
{
    if (playerCount < MIN_PLAYERS) {
        playerCount = MIN_PLAYERS;
    }
    // Every player needs a free cell to start on; more would also overrun
    // the arena view's buffer, which holds one quad per cell.
    const int freeCells = (gridWidth - 2) * (gridHeight - 2);
    if (playerCount > freeCells) {
        throw std::invalid_argument("NUM_PLAYERS == " + std::to_string(playerCount) +
                                    " is too many for a " + std::to_string(gridWidth) + " x " +
                                    std::to_string(gridHeight) + " grid: at most " +
                                    std::to_string(freeCells) + " players");
    }
    grid.assign(static_cast<std::size_t>(gridWidth) * static_cast<std::size_t>(gridHeight), FREE);
    players.assign(static_cast<std::size_t>(playerCount), Player{0, 0, RIGHT, false});
    // Read here as well as at every match start, so that a wrong level is
    // reported before the window opens.
    computers->readLevels(playerCount, firstComputer);
}

MainLogic::~MainLogic()
{
    doExit("");
}

void MainLogic::setPause(bool) {}

void MainLogic::handleEvent(EVT::I_Event*) {}

void MainLogic::onEnter(const std::string&, const std::string&)
{
    computers->readLevels(playerCount, firstComputer);
    stepCount = 0;
    clearGrid();
    placePlayers();
    computers->startMatch(snapshot());
    stepTimer = moveTime();
    if (view == nullptr) {
        view = new MainView(gameManager, this);
        gameManager->getViewManager()->add(view);
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
    EVT::EventBus::instance().removeConsumer(this);
}

std::string MainLogic::onUpdate(float elapsed)
{
    // A finished match stays as it ended until the next one starts.
    if (!result.empty()) {
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
    }
    for (const Player& player : players) {
        grid[static_cast<std::size_t>(player.y) * gridWidth + player.x] = BLOCKED;
    }
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
    if (firstComputer > 0) {
        steerFromKeyboard();
    }
    for (int k = 0; k < playerCount; ++k) {
        Player& player = players[k];
        if (!player.alive) {
            continue;
        }
        if (k >= firstComputer) {
            decide(k);
        }
        move(player);
    }
    countSurvivors();
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

// "HUMAN_PLAYERS" 0 makes player 0 a computer player too; absent or any
// other value keeps it at the keyboard.
int MainLogic::readFirstComputerPlayer()
{
    const std::string humans = CFG::get("HUMAN_PLAYERS");
    return !humans.empty() && Util::strToNum<int>(humans) == 0 ? 0 : 1;
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
    grid[static_cast<std::size_t>(player.y) * gridWidth + player.x] = BLOCKED;
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
