#pragma once
// The window placement and split that survive a restart.

struct TWindowPlacement {
    int ClientWidth = 640;
    int ClientHeight = 480;
    int Left = 0;
    int Top = 0;
    int Split = 200;
    bool Maximized = false;
};

TWindowPlacement LoadWindowPlacement();

// Collects the placement from the main window and the current split, and stores it.
void SaveWindowPlacement();

// Removes an installer a finished update left beside the program.
void DeleteLeftoverUpdate();
