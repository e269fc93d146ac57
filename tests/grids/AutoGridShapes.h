// Grid shapes drawn as text rows ('*' letter square, '.' blocked) for the generator's tests.
#pragma once

#include "model/Grat.h"

#include <string>
#include <vector>

namespace vez::test {

inline TGratShape ShapeFromRows(const std::vector<std::string>& rows) {
    TGratShape s;
    s.height = static_cast<int>(rows.size());
    s.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (int j = 1; j <= s.height; ++j)
        for (int i = 1; i <= s.width; ++i)
            s.letter[i][j] = rows[j - 1][i - 1] == '*';
    return s;
}

inline std::vector<std::string> RowsOf(const TGratShape& s) {
    std::vector<std::string> rows;
    for (int j = 1; j <= s.height; ++j) {
        std::string row;
        for (int i = 1; i <= s.width; ++i)
            row += s.letter[i][j] ? '*' : '.';
        rows.push_back(row);
    }
    return rows;
}

} // namespace vez::test
