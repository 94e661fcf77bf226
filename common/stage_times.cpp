#include "common/stage_times.h"

#ifdef DUNVO_STAGE_TIMES
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{

using Clock = std::chrono::steady_clock;

const char *const kStageNames[] = {
    "inflating", "writing-temporary", "reading-temporary", "allocating", "creating", "writing",
    "moving",    "measuring",         "pumping",           "deleting",   "other"};
static_assert(sizeof kStageNames / sizeof kStageNames[0] == static_cast<size_t>(Stage::Count),
              "a name per stage");

double Spent[static_cast<int>(Stage::Count)];
Stage Current = Stage::Other;
Clock::time_point Mark;
bool Started;

// What passed since the last mark goes to the stage that was running.
void Charge()
{
    const Clock::time_point now = Clock::now();
    if (Started)
        Spent[static_cast<int>(Current)] += std::chrono::duration<double, std::milli>(now - Mark).count();
    Started = true;
    Mark = now;
}

} // namespace

StageTimer::StageTimer(Stage stage) : outer_(Current)
{
    Charge();
    Current = stage;
}

StageTimer::~StageTimer()
{
    Charge();
    Current = outer_;
}

void WriteStageTimes()
{
    Charge();
    const char *path = getenv("DUNVO_STAGE_LOG");
    FILE *log = path ? fopen(path, "a") : nullptr;
    double total = 0;
    for (int i = 0; i < static_cast<int>(Stage::Count); ++i) {
        if (log)
            fprintf(log, "stage %s %.1f\n", kStageNames[i], Spent[i]);
        total += Spent[i];
        Spent[i] = 0;
    }
    if (log) {
        fprintf(log, "stage total %.1f\n", total);
        fclose(log);
    }
    Started = false;
}
#endif
