#pragma once
#include <string_view>

// The game list of the step-one page: filled once from the catalogue, searched
// by part of a name, and the user's choice of a game.
void FillGameList();
void SearchGameList();
// 1 when the item's text in that column contains the text, else 0.
int ItemMatches(int index, int column, std::string_view text);
// Positions the catalogue on the record of the list's current item (the first
// record when nothing is selected) and evaluates that game.
void EvaluateSelectedGame();
void OnGameListClick();
void OnGameListActivate();
