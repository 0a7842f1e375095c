#pragma once
// The scene's fixed perspective projection, shared by the frame and by picking (OpenGL,
// Windows layer).
#include <cstdint>

constexpr double SceneFieldOfView = 80.0; // vertical, degrees
constexpr double SceneNearPlane = 0.004;
constexpr double SceneFarPlane = 63.36;

// Projection matrix mode, identity, then the scene perspective for a scene area of that size
// (aspect width / height). Returns false and loads nothing for an area without height
// (a minimised window).
bool LoadScenePerspective(int32_t sceneWidth, int32_t sceneHeight);
// The same perspective multiplied onto the current matrix (after gluPickMatrix).
bool MultScenePerspective(int32_t sceneWidth, int32_t sceneHeight);
