// One full repaint of a window-sized viewport over 100,000 rows: the grid
// against a plain QTreeView over a QStandardItemModel with the same rows.
#include <grid/CTreeGridCtrl.h>
#include "bench_rows.h"

#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace {

const QSize kWindow(1200, 800);

void GridRepaint(benchmark::State& state)
{
    CTreeGridCtrl grid;
    grid.SetExtendedStyle(LVS_EX_GRIDLINES);
    for (int column = 0; column < kBenchColumns; ++column)
        grid.InsertColumn(column, QString::number(column), kBenchColumnWidth);
    for (int row = 0; row < kBenchRows; ++row) {
        grid.AddRootRow(NewBenchRow(row));
    }
    grid.resize(kWindow);
    grid.show();
    grid.SetRowSelectedAndFocused(3);
    QApplication::processEvents();
    for (auto _ : state) {
        QPixmap shot = grid.grab();
        benchmark::DoNotOptimize(shot);
    }
}

void TreeViewRepaint(benchmark::State& state)
{
    QStandardItemModel model(kBenchRows, kBenchColumns);
    for (int row = 0; row < kBenchRows; ++row)
        for (int column = 0; column < kBenchColumns; ++column)
            model.setItem(row, column, new QStandardItem(BenchText(row, column)));
    QTreeView view;
    view.setModel(&model);
    for (int column = 0; column < kBenchColumns; ++column)
        view.header()->resizeSection(column, kBenchColumnWidth);
    view.resize(kWindow);
    view.show();
    view.setCurrentIndex(model.index(3, 0));
    QApplication::processEvents();
    for (auto _ : state) {
        QPixmap shot = view.grab();
        benchmark::DoNotOptimize(shot);
    }
}

} // namespace

BENCHMARK(GridRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeViewRepaint)->Unit(benchmark::kMillisecond);
