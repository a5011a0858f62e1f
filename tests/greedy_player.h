// A simple greedy player for whole games on the fake clock: for the falling piece it picks
// the rotation and column whose drop leaves the best-weighed well.
#pragma once

#include <cstdlib>

#include "core/core.h"
#include "tests/fake_services.h"

struct Placement {
    int rotation = 1;
    int column = 0;
};

inline int ColumnHeight(const Well& well, int column) {
    for (int row = 0; row < WellRows; ++row) {
        if (well.Cell(column, row) > 0) {
            return WellRows - row;
        }
    }
    return 0;
}

// The usual weighing of a settled well: low, flat, without holes, with rows gone.
inline double Weigh(GameState trial) {
    FakeServices silent;
    trial.GameMode = 1;
    trial.Score = 0;
    LockPiece(trial, silent);
    double holes = 0;
    double height = 0;
    double bumps = 0;
    for (int column = 0; column < WellColumns; ++column) {
        const int h = ColumnHeight(trial.well, column);
        height += h;
        for (int row = WellRows - h; row < WellRows; ++row) {
            holes += trial.well.Cell(column, row) == 0 ? 1 : 0;
        }
        if (column > 0) {
            bumps += std::abs(h - ColumnHeight(trial.well, column - 1));
        }
    }
    return 0.76 * trial.Score / 10.0 - 0.51 * height - 0.6 * holes - 0.18 * bumps;
}

inline Placement ChoosePlacement(const GameState& state) {
    Placement best;
    double bestWeight = -1e9;
    for (int rotation = 1; rotation <= 4; ++rotation) {
        for (int column = -1; column < WellColumns; ++column) {
            GameState trial = state;
            trial.piece.rotation = rotation;
            trial.piece.column = column;
            if (PieceCollides(trial, column, trial.piece.row)) {
                continue;
            }
            while (!PieceCollides(trial, column, trial.piece.row + 1)) {
                ++trial.piece.row;
            }
            const double weight = Weigh(trial);
            if (weight > bestWeight) {
                bestWeight = weight;
                best = {rotation, column};
            }
        }
    }
    return best;
}
