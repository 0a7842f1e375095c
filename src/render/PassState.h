#pragma once
// The OpenGL state each drawing pass starts from, set in one place so that no pass inherits
// what the one before left behind (a line mode, a bound texture, depth writes switched off).

// The levels: depth test and writes on, alpha blending, alpha test off but its reference set,
// no texture bound, texels replace the colour, filled polygons, thin plain lines.
void BeginScenePass();

// The overlays over the scene (rubber band, drag phantom, tooltip, widgets): pixel
// coordinates with the origin at the scene's lower left, no depth test, alpha blending, no
// texture, filled polygons.
void BeginOverlayPass(int sceneWidth, int sceneHeight);
