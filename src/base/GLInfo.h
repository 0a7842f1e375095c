#pragma once
// Reading the OpenGL version and extension strings of the current context.

// Parses "major.minor..." from GL_VERSION; false (and 0.0) when it does not start so.
bool ParseGLVersion(const char* version, int& major, int& minor);

// Whether the space-separated extension list names the extension exactly.
bool HasGLExtension(const char* extensions, const char* name);
