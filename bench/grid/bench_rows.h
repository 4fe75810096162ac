#pragma once

#include <grid/CItemInfo.h>

#include <QString>

#include <vector>

// The texts of the benchmark rows, made once and shared by every fill.
inline constexpr int kBenchRows = 100000;
inline constexpr int kBenchColumns = 6;
inline constexpr int kBenchColumnWidth = 190;

inline const std::vector<QString>& BenchTexts()
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> made;
        made.reserve(std::size_t(kBenchRows) * kBenchColumns);
        for (int row = 0; row < kBenchRows; ++row) {
            made.push_back(QString::number(row + 1));
            for (int column = 1; column < kBenchColumns; ++column)
                made.push_back(QStringLiteral("cell %1 of row %2").arg(column).arg(row + 1));
        }
        return made;
    }();
    return texts;
}

inline const QString& BenchText(int row, int column)
{
    return BenchTexts()[std::size_t(row) * kBenchColumns + column];
}

// A new record holding the texts of the row, for the grid to take over. Its
// list is made at its size, as the panes make theirs.
inline CItemInfo* NewBenchRow(int row)
{
    auto* info = new CItemInfo;
    info->m_text = BenchText(row, 0);
    info->m_subItemTexts.reserve(kBenchColumns - 1);
    for (int column = 1; column < kBenchColumns; ++column)
        info->m_subItemTexts.append(BenchText(row, column));
    return info;
}
