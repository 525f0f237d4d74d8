#include "ui/app/WindowCaption.h"

#include <cstdio>

std::string WindowCaption(const std::string& documentTitle, bool titleShown) {
    if (!titleShown) {
        return ApplicationName;
    }
    return documentTitle + " - " + ApplicationName;
}

std::string ClockText(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}
