#pragma once
// The seams through which the main window reaches the scene: input, timers, private
// messages, drawing and menu commands. Each forwards to the object that owns the work
// once that object exists, and does nothing before.
#include <windows.h>
#include <shtypes.h>

#include <string>

namespace SceneHooks {

// Drawing: the levels through the camera, then the overlays (rubber band, drag phantom,
// tooltip, widgets).
void DrawScene();
void DrawOverlays();

// Input.
void KeyDown(WPARAM key);
void KeyUp(WPARAM key);
void Char(WPARAM character);
void SysKeyDown(WPARAM key);
void MouseMove(int x, int y, WPARAM keys);
void LButtonDown(int x, int y, WPARAM keys);
void LButtonUp(int x, int y, WPARAM keys);
void RButtonDown(int x, int y, WPARAM keys);
void RButtonUp(int x, int y, WPARAM keys);
void MButtonDown(int x, int y, WPARAM keys);
void MButtonUp(int x, int y, WPARAM keys);
void MouseWheel(int screenX, int screenY, WPARAM wParam);
// The context-menu hook sees every message first; true when it took it.
bool ContextMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Timers.
void CameraFlightStep();
void WidgetTick();
void ClearTypeAhead();
void LayoutSwapStep();

// Private messages and system notifications.
void FolderChanged(WPARAM folderView);
void ShellNotification(UINT message, WPARAM wParam, LPARAM lParam);
void DeviceChange(WPARAM event, LPARAM data);
void LoadIcon(WPARAM entryIndex);
void ForgetLoadedIcons();

// The address edit: the current folder's path and display name, and opening a parsed item.
bool CurrentFolderTexts(std::u16string& path, std::u16string& displayName, bool& isFileSystem);
void OpenAddress(PCIDLIST_ABSOLUTE item);

// Menu commands.
void ShowHelp();
void ShowAbout();
void CheckForUpdate();

// The Explorer pane in the left strip.
void ExplorerTeardown();

} // namespace SceneHooks
