#pragma once
// Re-sorting a list by the text of one of its display columns.

class Collation;
class ListModel;

// Orders the rows by column `column` (1-based, tab-separated fields of the row text), in the
// collation's order with a later row going in front of equal keys. The selection is cleared;
// the current row becomes the first row whose whole text equals the old current row's text.
void SortByColumn(ListModel &list, int column, const Collation &collation);
