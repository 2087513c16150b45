#pragma once
// Ids of the editor's controls, which are also the commands of its event dispatcher.

constexpr int IDC_LOAD = 100005;
constexpr int IDC_SAVE = 100006;
constexpr int IDC_PRINT = 100007;
