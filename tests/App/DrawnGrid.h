#pragma once

#include <string>
#include <vector>

#include "app/players/GridSnapshot.h"

// A position drawn row by row: '#' blocked, '.' free, a digit the head of
// that player (blocked, in). Headings are given per player number.
struct Drawn {
    Drawn(const std::vector<std::string>& rows, const std::vector<int>& headings)
        : width(static_cast<int>(rows[0].size())), height(static_cast<int>(rows.size()))
    {
        heads.resize(headings.size());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const char c = rows[y][x];
                cells.push_back(c == '.' ? 0 : 1);
                if (c >= '0' && c <= '9') {
                    heads[c - '0'] = Tool::PlayerHead{x, y, headings[c - '0'], true};
                }
            }
        }
    }

    Tool::GridSnapshot snapshot() const
    {
        return Tool::GridSnapshot{
            width, height, cells.data(), heads.data(), static_cast<int>(heads.size()), 1};
    }

    int width;
    int height;
    std::vector<unsigned char> cells;
    std::vector<Tool::PlayerHead> heads;
};
