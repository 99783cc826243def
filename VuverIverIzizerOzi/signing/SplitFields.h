// Splits a comma-separated text; runs of commas give no empty fields.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

void SplitFields(LPCWSTR lpszText, CStringArray& arrFields);
