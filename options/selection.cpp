#include "options/selection.h"

#include "options/catalogue.h"

namespace
{

const char kNothingInstalled[] = "You must install at least one Holy Qur'an translation !";
const char kLoadedOutOfRange[] = "You must select between [1 - 4] Holy Qur'an translation for Loading!\n"
                                 "You do that by checking checked translation for a second time.";

constexpr int kMaxLoaded = 4;

bool IsInstalled(int32_t state)
{
    return state >= TS_INSTALL && state <= TS_ALIAS_INSTALL_LOAD;
}
bool IsLoaded(int32_t state)
{
    return state == TS_INSTALL_LOAD || state == TS_ALIAS_INSTALL_LOAD;
}

void SetAllTranslations(int32_t ownFileState, int32_t aliasState)
{
    for (int row = 0; row < kTranslationRows; ++row)
        TranslationState[row] = IsAliasRow(row) ? aliasState : ownFileState;
    RequiredBytes = ComputeRequiredBytes();
}

void SetAllAvailableRecitations(int32_t state)
{
    for (int index = 1; index < kRecitationCount; ++index)
        if (RecitationState[index] != RS_NOT_AVAILABLE)
            RecitationState[index] = state;
    RequiredBytes = ComputeRequiredBytes();
}

} // namespace

int CountChosenRecitations()
{
    if (RecitationsAvailable != 1)
        return 0;
    int count = 0;
    // Index 0, sura 1, travels in the payload itself.
    for (int k = 1; k < kRecitationCount; ++k)
        count += RecitationState[k] == RS_INSTALL ? 1 : 0;
    return count;
}

uint32_t ComputeRequiredBytes()
{
    uint32_t total = BaseRequiredBytes;
    for (int row = 0; row < kTranslationRows; ++row)
        if (!IsAliasRow(row) && IsInstalled(TranslationState[row]))
            total += ComponentCatalogue[row].FileSize;
    // Index 0 travels in the payload, which BaseRequiredBytes stands for.
    for (int index = 1; index < kRecitationCount; ++index)
        if (RecitationState[index] == RS_INSTALL)
            total += RecitationSizes[index];
    return total;
}

void StartSelection(bool recitationsAvailable)
{
    RecitationsAvailable = recitationsAvailable ? 1 : 0;
    for (int32_t &state : RecitationState)
        state = recitationsAvailable ? RS_DONT_INSTALL : RS_NOT_AVAILABLE;
    SetAllTranslations(TS_INSTALL, TS_ALIAS_INSTALL);
}

void CycleTranslation(int row)
{
    if (row < 0 || row >= kTranslationRows)
        return;
    int32_t &state = TranslationState[row];
    switch (state) {
    case TS_DONT_INSTALL:
        state = TS_INSTALL;
        break;
    case TS_INSTALL:
        state = TS_INSTALL_LOAD;
        break;
    case TS_INSTALL_LOAD:
        state = TS_DONT_INSTALL;
        break;
    case TS_ALIAS_DONT_INSTALL:
        state = TS_ALIAS_INSTALL;
        break;
    case TS_ALIAS_INSTALL:
        state = TS_ALIAS_INSTALL_LOAD;
        break;
    case TS_ALIAS_INSTALL_LOAD:
        state = TS_ALIAS_DONT_INSTALL;
        break;
    }
    RequiredBytes = ComputeRequiredBytes();
}

void ToggleRecitation(int index)
{
    if (index < 1 || index >= kRecitationCount)
        return;
    int32_t &state = RecitationState[index];
    if (state == RS_DONT_INSTALL)
        state = RS_INSTALL;
    else if (state == RS_INSTALL)
        state = RS_DONT_INSTALL;
    RequiredBytes = ComputeRequiredBytes();
}

void SelectAllTranslations()
{
    SetAllTranslations(TS_INSTALL, TS_ALIAS_INSTALL);
}
void ClearAllTranslations()
{
    SetAllTranslations(TS_DONT_INSTALL, TS_ALIAS_DONT_INSTALL);
}
void SelectAllRecitations()
{
    SetAllAvailableRecitations(RS_INSTALL);
}
void ClearAllRecitations()
{
    SetAllAvailableRecitations(RS_DONT_INSTALL);
}

void FixUpAliases()
{
    for (int k = 0; k < kAliasCount; ++k) {
        int32_t alias = TranslationState[AliasRows[k]];
        int32_t &target = TranslationState[AliasTargets[k]];
        if ((alias == TS_ALIAS_INSTALL || alias == TS_ALIAS_INSTALL_LOAD) && target == TS_DONT_INSTALL)
            target = TS_INSTALL;
    }
    RequiredBytes = ComputeRequiredBytes();
}

const char *CheckSelection()
{
    int installed = 0;
    int loaded = 0;
    for (int32_t state : TranslationState) {
        installed += IsInstalled(state);
        loaded += IsLoaded(state);
    }
    if (installed == 0)
        return kNothingInstalled;
    if (loaded < 1 || loaded > kMaxLoaded)
        return kLoadedOutOfRange;
    return nullptr;
}
