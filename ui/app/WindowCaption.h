#pragma once

#include <string>

#include "platform/Platform.h"

// The application's name, shown alone in the caption until a project gives the window a title.
inline constexpr const char* ApplicationName = "Quillmark";

// "Quillmark" before any project title was set, afterwards "<title> - Quillmark".
std::string WindowCaption(const std::string& documentTitle, bool titleShown);

// The status bar clock: "hh:mm:ss" with leading zeros.
std::string ClockText(const LocalTime& time);
