// The colours of the options page's two lists. Portable: no <windows.h>; the
// page reads the system's colours and the high-contrast flag and passes them in.
#pragma once
#include <cstdint>

// The system colours the lists may take, as 0x00BBGGRR values.
struct SystemColours {
    uint32_t window, windowText, highlight, highlightText; // what a high-contrast theme sets
    uint32_t buttonHighlight, darkShadow, menu, buttonShadow;
};

struct ListColours {
    uint32_t selectedText, back, itemText, selectedFill;
};

// A user who runs a high-contrast theme reads the lists in its own window,
// text and highlight colours. Otherwise the lists keep their dark look: black
// with white selected text on Windows NT 4.0, the shadow and highlight
// colours elsewhere.
inline ListColours ChooseListColours(const SystemColours &system, bool highContrast, bool ntFourLook)
{
    if (highContrast)
        return {system.highlightText, system.window, system.windowText, system.highlight};
    const uint32_t black = 0, white = 0xFFFFFF;
    return {ntFourLook ? white : system.buttonHighlight, ntFourLook ? black : system.darkShadow, system.menu,
            system.buttonShadow};
}
