#pragma once

class QTableView;

namespace veskplan::gridcolumns {

// The master grid's columns at their standard widths, the description taking the room the
// window gives; its current row stays highlighted while another control has the focus, so the
// row "Add to Project" takes is always in sight.
void setUpMasterGrid(QTableView& grid);

// The project grid's columns at their standard widths, the item number wide enough for a number
// and the mark of the revision check, the description taking the room the window gives; the
// headings show the order in use.
void setUpProjectGrid(QTableView& grid);

}  // namespace veskplan::gridcolumns
