// GridView: the spreadsheet grid of the client's list screens, a QTableView
// showing a GridModel.
//
// The model's heading row is the horizontal header; its data rows 1..maxRows
// are the view's rows 0..maxRows-1. Hidden columns are hidden, cells keep the
// column's alignment, column widths in characters become pixels of the
// view's font, a row's colour is its text colour, the model's active row is
// the view's current row and the model's selected rows are the view's
// selection; the operator's clicks and arrow keys write the active row and
// the selection back into the model. Call refresh() after changing the model.
//
// The view does not own the model; the model must outlive it.
//
// Thread-safety: the client's user-interface thread only.
#pragma once

#include <QTableView>
#include <memory>

#include "core/GridModel.h"
#include "core/Printer.h"

namespace vtx::client::widgets {

class GridTableModel;

class GridView : public QTableView {
public:
    explicit GridView(GridModel& model, QWidget* parent = nullptr);
    ~GridView() override;

    GridModel& gridModel() { return model_; }
    const GridModel& gridModel() const { return model_; }

    // Shows the model again after it changed (rows, columns, texts, flags).
    void refresh();

    // Prints the grid as one document: `header` on the line above it, hidden
    // columns left out, landscape when asked. False when the printer failed;
    // printer.lastError() says why.
    bool printGrid(Printer& printer, const QString& header, bool landscape);

private:
    void applyColumns();
    void applySelection();
    void copySelectionToModel();

    GridModel& model_;
    std::unique_ptr<GridTableModel> table_;
    bool syncing_ = false;
};

}  // namespace vtx::client::widgets
