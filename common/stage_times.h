// Where the copy's time goes, for the benchmark's breakdown
// (scripts/bench --stages). Only a build configured with
// -DDUNVO_STAGE_TIMES=ON times anything; in every other build a StageTimer is
// an empty object that the compiler removes, so the shipped program carries
// none of it. Portable: no <windows.h>.
#pragma once

enum class Stage {
    Inflating,        // reading a gzip file and inflating it
    WritingTemporary, // writing the expanded temporary
    ReadingTemporary, // reading the records back out of it, and skipping
    Allocating,       // each installed file's memory block, and freeing it
    Creating,         // readying the earlier file and creating the new one beside it
    Writing,          // writing and closing an installed file
    Moving,           // moving it into place
    Measuring,        // measuring the written size
    Showing,          // the status line and the progress bar
    Pumping,          // handling messages
    Deleting,         // deleting the temporaries
    Other,            // everything between the timed stages
    Count
};

#ifdef DUNVO_STAGE_TIMES
// Time from construction to destruction is charged to `stage`, less what
// timers made meanwhile charge to theirs.
class StageTimer
{
  public:
    explicit StageTimer(Stage stage);
    ~StageTimer();
    StageTimer(const StageTimer &) = delete;
    StageTimer &operator=(const StageTimer &) = delete;

  private:
    Stage outer_;
};
// Appends one line "stage NAME MS" per stage, "stage total MS", and the
// longest stretch between two Pumping stages, "stretch NAME MS" per stage and
// "stretch total MS", to the file that DUNVO_STAGE_LOG names, and starts the
// count again.
void WriteStageTimes();
#else
struct StageTimer {
    explicit StageTimer(Stage) {}
};
inline void WriteStageTimes() {}
#endif
