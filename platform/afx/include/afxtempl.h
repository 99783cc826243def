// Collection templates of the framework. CList is declared only: the client's dialog library
// takes a list of control ids that nothing here builds, and a use of the template fails to build
// rather than finding a list that does less than the framework's.
#pragma once

#include "afx.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList;
