#pragma once

#include <functional>

class QTableView;
class QWidget;
class TData;

// Ctrl+C on the Loop Summary copies the selected rows' zone (group, set) and description as
// tab-separated cells for a spreadsheet; Ctrl+V pastes such a block from the current row
// down, into the Zone column or the Device Name column. A block with a refused cell is
// shown and changes nothing; a good one is applied at once, as one step. Keys typed into an
// open cell editor stay the editor's.
void InstallSummaryClipboard(QTableView& table, TData& data, std::function<int()> loop,
                             std::function<void()> pasted);
