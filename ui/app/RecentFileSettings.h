#pragma once

class RecentFileList;

// The recent-file list in the user's settings (organisation "Local AppWizard-Generated
// Applications", application "Quillmark"), group "Recent File List", keys "File1".."File4".
void LoadRecentFiles(RecentFileList& list);
void SaveRecentFiles(const RecentFileList& list);
