#pragma once

#include "model/Data.h"

// A configuration with every block filled with values other than the New defaults.
void FillRichConfiguration(TData& data, TSystemType protocol, int loopCount = 2);

// Compares everything a Save All carries to the panel and a Load All brings back.
void ExpectSameTransferredData(const TData& expected, const TData& actual);
