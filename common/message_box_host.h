// Host builds only: what ShowMessage would have shown.
#pragma once
#include <string>
#include <vector>

struct RecordedMessage {
    std::string text;
    std::string caption; // empty when none was given
    bool hasCaption;
    unsigned flags;
};

std::vector<RecordedMessage> &RecordedMessages();
// The answer the next boxes give (IDOK by default).
void SetMessageAnswer(int answer);
