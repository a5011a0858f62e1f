// Well rows written as text, top row first: '.' empty, a digit the kind settled there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/core.h"

inline void FillRows(Well& well, int firstRow, const std::vector<std::string>& rows) {
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < WellColumns; ++c) {
            const char cell = rows[r][c];
            well.SetCell(c, firstRow + r, static_cast<std::int8_t>(cell == '.' ? 0 : cell - '0'));
        }
    }
}

inline std::string RowText(const Well& well, int row) {
    std::string text;
    for (int c = 0; c < WellColumns; ++c) {
        const int cell = well.Cell(c, row);
        text += cell == 0 ? '.' : static_cast<char>('0' + cell);
    }
    return text;
}
