#include "watch/notices.h"

#include "diagnostics/trace.h"
#include "watch/tray.h"

void TellUser(const std::string& text) {
    Trace(text);
    ShowTrayBalloon(text);
}
