#pragma once

class AppDirectory;

// A previous update run may leave a new copy of the updater as "UPDATE.UPD"; it replaces
// "update.exe" before the update check can start the updater.
enum class PendingUpdaterResult {
    NothingPending,
    Replaced,
    Failed, // both files are left as they were
};

// Waits while the updater runs, writes the new copy beside the old one and renames it over;
// "UPDATE.UPD" is deleted only after the rename succeeded, so a failed copy loses nothing.
PendingUpdaterResult ApplyPendingUpdater(const AppDirectory &directory);
