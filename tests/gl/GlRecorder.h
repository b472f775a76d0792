// The drawing tests' own GL 1.1 entry points: defined in the test program,
// they take the place of the system library's and record each call as one
// line, such as "glVertex3f 1 -1 0" or "glBegin quads".
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

extern std::vector<std::string> g_GlCalls;
// What the next glGetError returns.
extern GLenum g_GlError;
