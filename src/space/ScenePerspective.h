#pragma once
// The scene's fixed perspective projection, shared by the frame and by picking (OpenGL,
// Windows layer).

constexpr double SceneFieldOfView = 80.0; // vertical, degrees
constexpr double SceneNearPlane = 0.004;
constexpr double SceneFarPlane = 63.36;

// Projection matrix mode, identity, then the scene perspective for the main window's scene
// area: aspect (ClientWidth - Split) / ClientHeight. Returns false and loads nothing while the
// client area has no height (minimised).
bool LoadScenePerspective();
// The same perspective multiplied onto the current matrix (after gluPickMatrix).
bool MultScenePerspective();
