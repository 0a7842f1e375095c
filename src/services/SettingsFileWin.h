#pragma once
// The "settings" file. It lives beside the program; when the program's directory cannot be
// written (an installed copy), in the user's application data under "Glimmera" instead, with
// the same 24 bytes. A save never leaves a torn file behind: the record goes to a temporary
// file beside the target, which then replaces it.
#include "services/Settings.h"

#include <string>

struct TSettingsPlaces {
    std::u16string ProgramDirectory; // preferred while it can be written
    std::u16string UserDirectory;    // created on the first save that needs it
};

// The program's directory and <roaming application data>\Glimmera.
TSettingsPlaces DefaultSettingsPlaces(const std::u16string& programDirectory);

// Where a load reads: the program's directory while it can be written; otherwise the user
// directory when the file is there, else the program's directory (a read-only copy still counts).
std::u16string SettingsFileToLoad(const TSettingsPlaces& places);
// Where a save writes: the program's directory while it can be written, else the user directory
// (created when missing). Empty when neither can be had.
std::u16string SettingsFileToSave(const TSettingsPlaces& places);

// The record of one file: all zeros unless the file holds exactly 24 bytes. Not validated.
TSettings ReadSettingsFile(const std::u16string& fileName);
// Replaces the file with the record's 24 bytes; false, with the old file intact, on failure.
bool WriteSettingsFile(const std::u16string& fileName, const TSettings& settings);

// Load validates (a missing or malformed file gives the defaults); save validates its copy
// first. File errors are silent.
void LoadSettingsFrom(const TSettingsPlaces& places, TSettings& settings);
void SaveSettingsTo(const TSettingsPlaces& places, const TSettings& settings);

// What start-up and shut-down call, with ProgramDirectory().
void LoadSettings(TSettings& settings, const std::u16string& programDirectory);
void SaveSettings(const TSettings& settings, const std::u16string& programDirectory);
