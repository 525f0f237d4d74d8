#pragma once

class RecentFileList;

// The recent-file lists in the user's settings (organisation "Local AppWizard-Generated
// Applications", application "Quillmark"), keys "File1".."File8" of a group: "Recent File List" for
// the projects, "Recent EDS File List" for the imported EDS and DCF files.
inline constexpr const char* RecentProjectsGroup = "Recent File List";
inline constexpr const char* RecentEdsFilesGroup = "Recent EDS File List";
void LoadRecentFiles(RecentFileList& list, const char* group = RecentProjectsGroup);
void SaveRecentFiles(const RecentFileList& list, const char* group = RecentProjectsGroup);
