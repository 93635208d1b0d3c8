#pragma once
#include "harness.h"

void addHistoryCases(Harness& harness);
// Heap used by a history of 10,000 paint clicks, printed with the figures.
void printHistoryMemory();
