#include "register_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include "common/error.h"
#include "common/error_report.h"
#include "settings/settings.h"
#include "widgets.h"

namespace bilvox {

QTableView* MakeRegisterGrid(QWidget* parent, const QString& name, QAbstractItemModel* model) {
  auto* grid = Make<QTableView>(parent, name);
  grid->setModel(model);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setTabKeyNavigation(false);
  grid->setWordWrap(false);
  grid->setSortingEnabled(false);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setStretchLastSection(false);
  return grid;
}

int CurrentRow(const QTableView* grid) {
  const QModelIndex current = grid->selectionModel()->currentIndex();
  return current.isValid() && grid->selectionModel()->isRowSelected(current.row())
             ? current.row()
             : -1;
}

void SelectRow(QTableView* grid, int row) {
  QItemSelectionModel* selection = grid->selectionModel();
  const QModelIndex index = grid->model()->index(row, 0);
  if (!index.isValid()) {
    selection->clear();
    return;
  }
  selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                        QItemSelectionModel::Rows);
  grid->scrollTo(index);
}

void WidenColumns(QTableView* grid, const std::function<QStringList(int column)>& samples) {
  const QFontMetrics text = grid->fontMetrics();
  const QFontMetrics header = grid->horizontalHeader()->fontMetrics();
  QHeaderView* columns = grid->horizontalHeader();
  for (int column = 0; column < grid->model()->columnCount(); ++column) {
    int widest = header.horizontalAdvance(
        grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    for (const QString& sample : samples(column))
      widest = std::max(widest, text.horizontalAdvance(sample));
    if (widest > std::max(columns->defaultSectionSize(), columns->sectionSize(column)))
      columns->resizeSection(column, widest + 15);
  }
}

void RestorePlacement(QWidget* window, const QWidget* over, TFormPlacement& placement,
                      SettingsStore& store) {
  CentreOver(window, over);
  bool loaded = false;
  if (!Guarded([&] { loaded = placement.Load(store); }) || !loaded) return;
  window->move(placement.Left.value_or(window->x()), placement.Top.value_or(window->y()));
  window->resize(placement.Width.value_or(window->width()),
                 placement.Height.value_or(window->height()));
}

void StorePlacement(const QWidget* window, TFormPlacement& placement, SettingsStore& store) {
  placement.Left = window->x();
  placement.Top = window->y();
  placement.Width = window->width();
  placement.Height = window->height();
  Guarded([&] { placement.Save(store); });
}

}  // namespace bilvox
