// What the two register list windows share: the grid's set-up, selection by row, the
// columns' widths, and the window's stored placement.
#pragma once

#include <QStringList>
#include <QTableView>
#include <functional>

namespace bilvox {

class SettingsStore;
class TFormPlacement;

// A grid for a register model: whole rows, one at a time, not editable, rows of one height
// (so that a hundred thousand of them cost nothing to lay out), columns resizable.
QTableView* MakeRegisterGrid(QWidget* parent, const QString& name, QAbstractItemModel* model);
// The current row; -1 for none.
int CurrentRow(const QTableView* grid);
// Makes a row current and selected and scrolls it into view; -1 (or a row past the end)
// leaves no row selected.
void SelectRow(QTableView* grid, int row);
// Widens every column whose texts (the header and the samples the function gives for it) are
// wider than the column to the widest text + 15 pixels. Columns never get narrower.
void WidenColumns(QTableView* grid, const std::function<QStringList(int column)>& samples);

// A list window's place: centred over another window, then the stored position and size
// where they are present. Errors of the store are shown.
void RestorePlacement(QWidget* window, const QWidget* over, TFormPlacement& placement,
                      SettingsStore& store);
// Stores the window's position and size.
void StorePlacement(const QWidget* window, TFormPlacement& placement, SettingsStore& store);

}  // namespace bilvox
