#pragma once

// The least a frame of the game has to do: the match rules played on their
// own, with the settings they read held in variables (step time, blink
// time, turn chance, seed) and nothing of the framework. The rules are the
// match state's: a wall ring, players 0 and 1 at their fixed starts and the
// others from the start-position generator, a step every "MOVE_TIME" game
// milliseconds (the overshoot dropped), computer players drawing one number
// per step and turning aside from a blocked cell, out on entering a blocked
// cell, the end at one player or none; and the arena view's blink timer.
// Nobody steers player 0. A finished match is followed at once by the next,
// on the same two generators. The reference of bench_MatchFrame.

#include <algorithm>
#include <memory>
#include <vector>

#include "Random/RandSimple.h"

namespace Bench {

class MinimalMatch {
public:
    MinimalMatch(int columns, int rows, int players, float moveTime, float flashTime,
                 unsigned int seed, int turnChance)
        : columns(columns), rows(rows), moveTime(moveTime), flashTime(flashTime),
          turnChance(turnChance), grid(static_cast<std::size_t>(columns) * rows),
          players(static_cast<std::size_t>(players)), startRandom(seed), decisionRandom(seed),
          flashTimer(flashTime)
    {
        start();
    }

    // One frame of delta game milliseconds.
    void frame(float delta)
    {
        if (ended) {
            start();
            ++matches;
        }
        stepTimer -= delta;
        if (stepTimer < 0) {
            stepTimer = moveTime;
            step();
        }
        flashTimer -= delta;
        if (flashTimer < 0) {
            flashOn = !flashOn;
            flashTimer = flashTime;
        }
    }

    int getMatches() const { return matches; }
    int getPlayer0X() const { return players[0].x; }

private:
    struct Player {
        int x;
        int y;
        int heading;
        bool alive;
    };

    static constexpr int UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3;
    static constexpr unsigned char BLOCKED = 0x31;
    static constexpr int STEP_X[4] = {0, 0, -1, 1};
    static constexpr int STEP_Y[4] = {-1, 1, 0, 0};
    static constexpr int TURN_EVEN[4] = {RIGHT, LEFT, UP, DOWN};
    static constexpr int TURN_ODD[4] = {LEFT, RIGHT, DOWN, UP};

    bool blocked(int x, int y) const
    {
        return x < 0 || y < 0 || x >= columns || y >= rows || grid[y * columns + x] != 0;
    }

    void start()
    {
        grid.assign(grid.size(), 0);
        for (int x = 0; x < columns; ++x) {
            grid[x] = grid[(rows - 1) * columns + x] = BLOCKED;
        }
        for (int y = 0; y < rows; ++y) {
            grid[y * columns] = grid[y * columns + columns - 1] = BLOCKED;
        }
        players[0] = Player{columns / 4, rows / 4, RIGHT, true};
        players[1] = Player{columns - columns / 4 - 1, rows - rows / 4 - 1, LEFT, true};
        for (std::size_t k = 2; k < players.size(); ++k) {
            Player& p = players[k];
            const double f1 = startRandom.getFloat();
            const double f2 = startRandom.getFloat();
            p.x = std::min(1 + static_cast<int>(f1 * (columns - 2)), columns - 2);
            p.y = std::min(1 + static_cast<int>(f2 * (rows - 2)), rows - 2);
            p.heading = p.x / (columns / 4) == 1 ? RIGHT : LEFT;
            p.alive = true;
        }
        for (const Player& p : players) {
            grid[p.y * columns + p.x] = BLOCKED;
        }
        stepTimer = moveTime;
        ended = false;
    }

    void step()
    {
        int alive = 0;
        for (std::size_t k = 0; k < players.size(); ++k) {
            Player& p = players[k];
            if (!p.alive) {
                continue;
            }
            if (k > 0) {
                decide(p);
            }
            p.x += STEP_X[p.heading];
            p.y += STEP_Y[p.heading];
            if (blocked(p.x, p.y)) {
                p.alive = false;
                continue;
            }
            grid[p.y * columns + p.x] = BLOCKED;
        }
        for (const Player& p : players) {
            alive += p.alive ? 1 : 0;
        }
        ended = alive <= 1;
    }

    void decide(Player& p)
    {
        const int r = static_cast<int>(decisionRandom.getFloat() * 100);
        int heading = p.heading;
        if (r < turnChance) {
            heading = (r % 2 == 0 ? TURN_EVEN : TURN_ODD)[heading];
        }
        if (blocked(p.x + STEP_X[heading], p.y + STEP_Y[heading])) {
            const int firstWayOut = TURN_ODD[heading];
            heading = blocked(p.x + STEP_X[firstWayOut], p.y + STEP_Y[firstWayOut])
                          ? TURN_EVEN[heading]
                          : firstWayOut;
        }
        p.heading = heading;
    }

    int columns;
    int rows;
    float moveTime;
    float flashTime;
    int turnChance;
    std::vector<unsigned char> grid;
    std::vector<Player> players;
    RNG::RandSimple startRandom;
    RNG::RandSimple decisionRandom;
    float stepTimer = 0;
    float flashTimer;
    bool flashOn = false;
    bool ended = false;
    int matches = 0;
};

} // namespace Bench
