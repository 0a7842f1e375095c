#pragma once
// Updates from the product's web server: the version check of the Help menu, the dialog that
// offers the newer version, and the download and start of its installer.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one download brought: the body of a 200 answer that arrived whole; none for a failed
// connection, another status, a time-out or a body shorter than announced.
std::optional<std::vector<uint8_t>> Download(const std::u16string& url);

// Whether the server offers a newer major or minor version than the running program; raises
// EInternetConnection when the version file cannot be had.
bool IsNewerVersionAvailable();

// The menu command: asks the server and offers the update, or says why not.
void CheckForUpdate(HWND mainWindow);

// Downloads the installer, starts it when it is a whole Windows program and closes the main
// window; otherwise deletes it and says the connection failed.
void DownloadAndRunUpdate(HWND mainWindow);

// At start: removes an installer a previous update left behind.
void DeleteLeftoverUpdate();

// Where a downloaded installer is kept until it runs: the user's temporary folder.
std::u16string UpdateInstallerPath();
