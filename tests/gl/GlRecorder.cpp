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

void glBegin(GLenum mode)
{
    Log(std::string("glBegin") + Name(mode), {});
}
void glEnd()
{
    Log("glEnd", {});
}
void glEnable(GLenum cap)
{
    Log(std::string("glEnable") + Name(cap), {});
}
void glDisable(GLenum cap)
{
    Log(std::string("glDisable") + Name(cap), {});
}
void glBindTexture(GLenum, GLuint texture)
{
    Log("glBindTexture", {double(texture)});
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    Log("glColor3f", {r, g, b});
}
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    Log("glColor4f", {r, g, b, a});
}
void glTexCoord2f(GLfloat s, GLfloat t)
{
    Log("glTexCoord2f", {s, t});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    Log("glVertex3f", {x, y, z});
}
void glPushMatrix()
{
    Log("glPushMatrix", {});
}
void glPopMatrix()
{
    Log("glPopMatrix", {});
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    Log("glTranslatef", {x, y, z});
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    Log("glRotatef", {angle, x, y, z});
}
void glPointSize(GLfloat size)
{
    Log("glPointSize", {size});
}
void glClear(GLbitfield)
{
    Log("glClear", {});
}
void glLoadIdentity()
{
    Log("glLoadIdentity", {});
}
GLenum glGetError()
{
    return g_GlError;
}
