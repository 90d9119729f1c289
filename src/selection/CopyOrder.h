#pragma once
// The order in which selected files are copied: CD by CD (CD IDs in alphabetical order), and on
// each CD by artist, album and track, letter case ignored. Of tracks with the same key only the
// first in list order is copied.

#include "catalog/TSong.h"

#include <vector>

std::vector<const TSong *> CopyOrder(const std::vector<TSong *> &rows);
