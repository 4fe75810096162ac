// Filling 100,000 rows of six columns and clearing them again: the grid
// against a QStandardItemModel holding the same rows.
#include <grid/CTreeGridCtrl.h>
#include "bench_rows.h"

#include <QStandardItemModel>

#include <benchmark/benchmark.h>

namespace {

void GridFillAndClear(benchmark::State& state)
{
    BenchTexts();
    CTreeGridCtrl grid;
    for (int column = 0; column < kBenchColumns; ++column)
        grid.InsertColumn(column, QString::number(column), kBenchColumnWidth);
    grid.resize(1200, 800);
    grid.show();
    for (auto _ : state) {
        for (int row = 0; row < kBenchRows; ++row) {
            grid.AddRootRow(NewBenchRow(row));
        }
        benchmark::DoNotOptimize(grid.RowCount());
        grid.RemoveAllRows();
    }
}

void StandardModelFillAndClear(benchmark::State& state)
{
    BenchTexts();
    QStandardItemModel model;
    model.setColumnCount(kBenchColumns);
    for (auto _ : state) {
        for (int row = 0; row < kBenchRows; ++row) {
            QList<QStandardItem*> items;
            items.reserve(kBenchColumns);
            for (int column = 0; column < kBenchColumns; ++column)
                items.append(new QStandardItem(BenchText(row, column)));
            model.appendRow(items);
        }
        benchmark::DoNotOptimize(model.rowCount());
        model.removeRows(0, model.rowCount());
    }
}

} // namespace

BENCHMARK(GridFillAndClear)->Unit(benchmark::kMillisecond);
BENCHMARK(StandardModelFillAndClear)->Unit(benchmark::kMillisecond);
