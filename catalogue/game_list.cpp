#include "catalogue/game_list.h"

#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "app/main_window.h"
#include "catalogue/name_match.h"
#include "catalogue/record_database.h"
#include "evaluation/evaluate.h"
#include "evaluation/field_conversion.h"
#include "runtime/window_runtime.h"

namespace {

constexpr int kNameField = 1;
constexpr int kTypeField = 2;
constexpr int kFirstRequirementField = 3;
constexpr int kLastRequirementField = 6;
constexpr int kNameColumn = 0;

}  // namespace

void EvaluateSelectedGame() {
    // An open catalogue without records has no game to evaluate; reading one
    // would end the program over a click in the empty list. (With no catalogue
    // open at all, the read below reports that as the fatal error it is.)
    if (RecordDatabase::HasCurrentDatabase() && RecordDatabase::GetRecordCount() == 0) return;
    // With no item selected the item data is 0, which the record database
    // takes as the first record.
    const int index = WindowRuntime::ListGetCurrentItem(GameList);
    RecordDatabase::GoToRecord(WindowRuntime::ListGetItemData(GameList, index));
    LoadRequirements();
    EvaluateRequirements();
}

void FillGameList() {
    RecordDatabase::OpenDatabase(WindowRuntime::GetRunDirectory() + "\\database.dat");
    WindowRuntime::ListDeleteAll(GameList);
    RecordDatabase::GoToFirstRecord();
    const std::int32_t count = RecordDatabase::GetRecordCount();
    for (std::int32_t i = 1; i <= count; ++i) {
        const int index = i - 1;
        const std::int32_t record = RecordDatabase::GetRecordNumber();
        WindowRuntime::ListInsertItem(GameList, index, record);
        WindowRuntime::ListSetItemText(
            GameList, index, 0,
            FieldText(RecordDatabase::ReadField(kNameField), {record, kNameField}));
        WindowRuntime::ListSetItemText(
            GameList, index, 1,
            FieldText(RecordDatabase::ReadField(kTypeField), {record, kTypeField}));
        // The list has no columns for the requirements; reading them here
        // makes a record that lacks one fail at start rather than on a click.
        for (int field = kFirstRequirementField; field <= kLastRequirementField; ++field)
            WindowRuntime::ListSetItemText(
                GameList, index, field - 1,
                FieldToDisplayText(RecordDatabase::ReadField(field), {record, field}));
        RecordDatabase::SkipRecord();
    }
}

int ItemMatches(int index, int column, std::string_view text) {
    return NameContains(WindowRuntime::ListGetItemText(GameList, index, column), text) ? 1 : 0;
}

void SearchGameList() {
    // Set before anything else: even an empty search allows step two.
    GameChosen = 1;
    const std::string text = WindowRuntime::GetControlText(SearchBox);
    if (text.empty()) return;
    const int count = WindowRuntime::ListGetItemCount(GameList);
    int found = 0;  // no match selects the first item
    for (int index = 0; index < count; ++index) {
        if (ItemMatches(index, kNameColumn, text)) {
            found = index;
            break;
        }
    }
    WindowRuntime::ListSetCurrentItem(GameList, found);
    WindowRuntime::ListEnsureVisible(GameList, found);
    WindowRuntime::FocusControl(GameList);
}

void OnGameListClick() {
    GameChosen = 1;
    EvaluateSelectedGame();
}

void OnGameListActivate() {
    GameChosen = 1;
    EvaluateSelectedGame();
    ShowStep2();
}
