// What the two register list windows share: the grid's set-up, selection by row, the
// columns' widths, the sort and filter steps, deleting the selected record, and the window's
// stored placement.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <QTableView>
#include <algorithm>
#include <functional>
#include <string_view>

#include "common/messages.h"
#include "qt_text.h"
#include "register_model.h"

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

// Brings the grid in line with its register (widening the columns when records changed) and
// selects the row showing the record, or the first row when the record is not shown.
template <class R>
void RefillGrid(QTableView* grid, RegisterModel<R>& model, const R* select) {
  if (model.Sync()) WidenColumns(grid, [&model](int c) { return model.WidthSamples(c); });
  const int row = model.RowOf(select);
  SelectRow(grid, row >= 0 ? row : 0);
}

// The sort box and the filter field as the register holds them (no change signal for the
// sort box; a mode other than the two shows no choice).
template <class R>
void ShowSortAndFilter(QComboBox* sort, QLineEdit* filter, const TRecordListOf<R>& reg) {
  {
    const QSignalBlocker block(sort);
    sort->setCurrentIndex(reg.SortMode() <= 1 ? reg.SortMode() : -1);
  }
  const QString text = ToQ(reg.FilterText());
  if (filter->text() != text) filter->setText(text);
}

// A change of the register's sort mode or filter text (`change`) shown in the grid; the
// selected record stays selected when it is still shown.
template <class R, class Change>
void ChangeListOrder(QTableView* grid, RegisterModel<R>& model, Change change) {
  const R* selected = model.RecordAt(CurrentRow(grid));
  change();
  model.Refilter();
  RefillGrid(grid, model, selected);
}

// Deletes the record of the selected row after the question (Windows-1250) is answered
// "Tak", saves the register and selects the row that took its place.
template <class R>
void DeleteSelectedRecord(QWidget* window, QTableView* grid, RegisterModel<R>& model,
                          TRecordListOf<R>& reg, std::string_view question) {
  const int row = CurrentRow(grid);
  const R* record = model.RecordAt(row);
  if (!record) return;
  if (Messages().Show(FromQ(window->windowTitle()), question, MsgIcon::Question,
                      MsgButtons::YesNo) != MsgResult::Yes)
    return;
  reg.Delete(reg.IndexOf(record));
  reg.Save();
  model.Sync();
  SelectRow(grid, std::min(row, model.rowCount() - 1));
}

// A list window's place: centred over another window, then the stored position and size
// where they are present. Errors of the store are shown.
void RestorePlacement(QWidget* window, const QWidget* over, TFormPlacement& placement,
                      SettingsStore& store);
// Stores the window's position and size.
void StorePlacement(const QWidget* window, TFormPlacement& placement, SettingsStore& store);

}  // namespace bilvox
