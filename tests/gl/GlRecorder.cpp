// The drawing tests' own GL entry points: defined in the test program, they take the place of the
// system library's and record each call as a line such as "glVertex3f 1 -1 0" or "glEnable blend".
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

std::vector<std::string> g_GlCalls;
GLenum g_GlError = GL_NO_ERROR;  // what glGetError returns

namespace {

void Log(std::string line, std::initializer_list<double> args)
{
    char number[32];
    for (double arg : args) {
        snprintf(number, sizeof number, " %.9g", arg);
        line += number;
    }
    g_GlCalls.push_back(line);
}

const char* Name(GLenum e)
{
    return e == GL_BLEND    ? " blend"
           : e == GL_QUADS  ? " quads"
           : e == GL_POINTS ? " points"
                            : " other";
}

}  // namespace

// An entry point that records its name and its numbers.
#define RECORDED(name, parameters, ...) \
    void name parameters                \
    {                                   \
        Log(#name, {__VA_ARGS__});      \
    }

RECORDED(glEnd, ())
RECORDED(glPushMatrix, ())
RECORDED(glPopMatrix, ())
RECORDED(glLoadIdentity, ())
RECORDED(glClear, (GLbitfield))
RECORDED(glBindTexture, (GLenum, GLuint texture), double(texture))
RECORDED(glPointSize, (GLfloat size), size)
RECORDED(glTexCoord2f, (GLfloat s, GLfloat t), s, t)
RECORDED(glColor3f, (GLfloat r, GLfloat g, GLfloat b), r, g, b)
RECORDED(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORDED(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORDED(glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), r, g, b, a)
RECORDED(glRotatef, (GLfloat angle, GLfloat x, GLfloat y, GLfloat z), angle, x, y, z)

// An entry point that records its name and the name of its one enum.
#define NAMED(name)                            \
    void name(GLenum e)                        \
    {                                          \
        Log(std::string(#name) + Name(e), {}); \
    }

NAMED(glBegin)
NAMED(glEnable)
NAMED(glDisable)

GLenum glGetError()
{
    return g_GlError;
}
