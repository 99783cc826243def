// The manager's tree and its download button, for the end-to-end tests.
#pragma once

#include "TreeReader.h"

namespace e2e {

using viztest::CheckedItems;
using viztest::kDownloadButton;
using viztest::DescribeTree;
using viztest::ExpandAll;
using viztest::FindItem;
using viztest::ItemText;
using viztest::kTreeControl;
using viztest::ManagerTree;

} // namespace e2e
