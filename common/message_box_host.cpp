#include "common/message_box.h"
#include "common/message_box_host.h"

namespace {
int gAnswer = 1; // IDOK
}

std::vector<RecordedMessage> &RecordedMessages()
{
    static std::vector<RecordedMessage> messages;
    return messages;
}

void SetMessageAnswer(int answer) { gAnswer = answer; }

int ShowMessage(void *, const char *text, const char *caption, unsigned flags)
{
    RecordedMessages().push_back({text, caption ? caption : "", caption != nullptr, flags});
    return gAnswer;
}
