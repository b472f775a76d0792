#include "GlRecorder.h"

#include <cstdio>
#include <initializer_list>

std::vector<std::string> g_GlCalls;
GLenum g_GlError = GL_NO_ERROR;

namespace {

void Log(const char* name, std::initializer_list<double> args)
{
    std::string line = name;
    char number[32];
    for (double arg : args) {
        snprintf(number, sizeof number, " %.9g", arg);
        line += number;
    }
    g_GlCalls.push_back(line);
}

const char* Cap(GLenum cap) { return cap == GL_BLEND ? " blend" : " other"; }

}  // namespace

void glBegin(GLenum mode) { g_GlCalls.push_back(mode == GL_QUADS ? "glBegin quads" : mode == GL_POINTS ? "glBegin points" : "glBegin other"); }
void glEnd() { Log("glEnd", {}); }
void glEnable(GLenum cap) { g_GlCalls.push_back(std::string("glEnable") + Cap(cap)); }
void glDisable(GLenum cap) { g_GlCalls.push_back(std::string("glDisable") + Cap(cap)); }
void glBindTexture(GLenum, GLuint texture) { Log("glBindTexture", {double(texture)}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { Log("glColor3f", {r, g, b}); }
void glColor3fv(const GLfloat* c) { Log("glColor3fv", {c[0], c[1], c[2]}); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { Log("glColor4f", {r, g, b, a}); }
void glTexCoord2f(GLfloat s, GLfloat t) { Log("glTexCoord2f", {s, t}); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { Log("glVertex3f", {x, y, z}); }
void glVertex3fv(const GLfloat* v) { Log("glVertex3fv", {v[0], v[1], v[2]}); }
void glPushMatrix() { Log("glPushMatrix", {}); }
void glPopMatrix() { Log("glPopMatrix", {}); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Log("glTranslatef", {x, y, z}); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) { Log("glRotatef", {angle, x, y, z}); }
void glPointSize(GLfloat size) { Log("glPointSize", {size}); }
void glClear(GLbitfield) { Log("glClear", {}); }
void glLoadIdentity() { Log("glLoadIdentity", {}); }
GLenum glGetError() { return g_GlError; }
