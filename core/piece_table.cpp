#include "core/core.h"

#include <array>

namespace {

constexpr int Kinds = 7;
constexpr int Rotations = 4;

// Rows: kinds 1..7; columns: rotations 1..4, each a quarter turn clockwise of the last.
constexpr std::array<std::array<int, Rotations>, Kinds> PieceTable{{
    {0x4444, 0x0F00, 0x4444, 0x0F00},  // 1 straight
    {0x0660, 0x0660, 0x0660, 0x0660},  // 2 square
    {0x6440, 0xE200, 0x2260, 0x8E00},  // 3
    {0xE400, 0x2620, 0x04E0, 0x8C80},  // 4 T-shaped
    {0xC600, 0x4C80, 0xC600, 0x4C80},  // 5
    {0x6C00, 0x8C40, 0x6C00, 0x8C40},  // 6
    {0x6220, 0x2E00, 0x4460, 0xE800},  // 7
}};

}  // namespace

int PieceMask(int kind, int rotation) {
    if (kind < 1 || kind > Kinds || rotation < 1 || rotation > Rotations) {
        return 0;  // before the first game the falling piece is kind 0
    }
    return PieceTable[kind - 1][rotation - 1];
}
