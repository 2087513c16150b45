#pragma once
// A plain, slow reading of the composing rules, pixel by pixel and column by column, through the
// picture's own pixel addressing. It shares nothing with the composer and serves as its yardstick.

#include "composition/DIBSlot.h"
#include <memory>
#include <vector>

void ReferenceCompose(CDIB& canvas, const std::vector<std::unique_ptr<CDIBSlot>>& slots, double sx, double sy,
                      const RECT* rect, bool blend, const BYTE* table, COLORREF key, COLORREF background);
