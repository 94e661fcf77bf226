#include "common/stage_times.h"

#ifdef DUNVO_STAGE_TIMES
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int kStages = static_cast<int>(Stage::Count);

const char *const kStageNames[] = {
    "inflating", "writing-temporary", "reading-temporary", "allocating", "creating", "writing",
    "moving",    "measuring",         "showing",           "pumping",    "deleting", "other"};
static_assert(sizeof kStageNames / sizeof kStageNames[0] == kStages, "a name per stage");

double Spent[kStages];
// What the current stretch between two pumps is made of, and the longest one.
double Stretch[kStages], Longest[kStages];
Stage Current = Stage::Other;
Clock::time_point Mark;
bool Started;

double Sum(const double (&times)[kStages])
{
    double total = 0;
    for (double t : times)
        total += t;
    return total;
}

// What passed since the last mark goes to the stage that was running.
void Charge()
{
    const Clock::time_point now = Clock::now();
    if (Started) {
        const double ms = std::chrono::duration<double, std::milli>(now - Mark).count();
        Spent[static_cast<int>(Current)] += ms;
        Stretch[static_cast<int>(Current)] += ms;
    }
    Started = true;
    Mark = now;
}

// The stretch since the last pump may be the longest.
void CloseStretch()
{
    if (Sum(Stretch) > Sum(Longest))
        memcpy(Longest, Stretch, sizeof Longest);
    memset(Stretch, 0, sizeof Stretch);
}

} // namespace

StageTimer::StageTimer(Stage stage) : outer_(Current)
{
    Charge();
    if (stage == Stage::Pumping && Current != Stage::Pumping)
        CloseStretch();
    Current = stage;
}

StageTimer::~StageTimer()
{
    Charge();
    if (Current == Stage::Pumping && outer_ != Stage::Pumping)
        memset(Stretch, 0, sizeof Stretch);
    Current = outer_;
}

void WriteStageTimes()
{
    Charge();
    CloseStretch();
    const char *path = getenv("DUNVO_STAGE_LOG");
    FILE *log = path ? fopen(path, "a") : nullptr;
    if (log) {
        for (int i = 0; i < kStages; ++i)
            fprintf(log, "stage %s %.1f\n", kStageNames[i], Spent[i]);
        fprintf(log, "stage total %.1f\n", Sum(Spent));
        for (int i = 0; i < kStages; ++i)
            fprintf(log, "stretch %s %.1f\n", kStageNames[i], Longest[i]);
        fprintf(log, "stretch total %.1f\n", Sum(Longest));
        fclose(log);
    }
    memset(Spent, 0, sizeof Spent);
    memset(Stretch, 0, sizeof Stretch);
    memset(Longest, 0, sizeof Longest);
    Started = false;
}
#endif
