#pragma once
// Tabs in several rows, as a multi-row tab control shows them: for tab widgets whose captions do
// not fit one row at this platform's fonts. The tab widget keeps its pages and its current index;
// the rows of tab buttons above it follow the index and set it.
class QTabWidget;
class QWidget;

namespace platform {

// Hides the tab widget's own bar and returns a new widget holding rows of perRow tab buttons
// (named "<tabs>Tab(i)") over the tab widget; put it into the layout in place of the tab widget.
QWidget* ShowTabsInRows(QTabWidget* tabs, int perRow);

}  // namespace platform
