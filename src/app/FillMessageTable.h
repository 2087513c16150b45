#pragma once

class CMessageTable;

// Adds the editor's texts in all four languages: Dutch keys 1 to MSG_LAST first, then French, English,
// German.
void FillMessageTable(CMessageTable& table);
