#pragma once

class CMessageTable;

// Adds the editor's texts in all four languages: Dutch keys 1 to 6 first, then French, English, German.
void FillMessageTable(CMessageTable& table);
