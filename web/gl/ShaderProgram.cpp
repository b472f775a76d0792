#include "gl/ShaderProgram.h"

#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>
#include <initializer_list>

namespace {

const char* kVertexShader = R"(
attribute vec3 position;
attribute vec2 texCoord;
attribute vec4 colour;
uniform mat4 projection;
uniform float pointRadius;
varying vec2 fragmentTexCoord;
varying vec4 fragmentColour;
void main() {
    gl_Position = projection * vec4(position, 1.0);
    gl_PointSize = 2.0 * pointRadius;
    fragmentTexCoord = texCoord;
    fragmentColour = colour;
})";

// Points are smoothed as the desktop's Mesa smooths them (GL_POINT_SMOOTH):
// a disc of pointRadius pixels takes every pixel whose centre it holds.
// (Mesa also fades the alpha towards the rim, which does not show: the game
// draws its points, the stars, without blending.) Quads have pointRadius 0.
const char* kFragmentShader = R"(
precision highp float;
uniform sampler2D image;
uniform float pointRadius;
varying vec2 fragmentTexCoord;
varying vec4 fragmentColour;
void main() {
    vec2 offset = gl_PointCoord * 2.0 - 1.0;
    if (pointRadius > 0.0 && dot(offset, offset) > 1.0)
        discard;
    gl_FragColor = fragmentColour * texture2D(image, fragmentTexCoord);
})";

GLuint CompileShader(GLenum kind, const char* source)
{
    const GLuint shader = emscripten_glCreateShader(kind);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint compiled = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[512] = "";
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        printf("WebGL shader: %s\n", log);
    }
    return shader;
}

}  // namespace

void ShaderProgram::Create()
{
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, CompileShader(GL_VERTEX_SHADER, kVertexShader));
    emscripten_glAttachShader(program, CompileShader(GL_FRAGMENT_SHADER, kFragmentShader));
    emscripten_glBindAttribLocation(program, kPosition, "position");
    emscripten_glBindAttribLocation(program, kTexCoord, "texCoord");
    emscripten_glBindAttribLocation(program, kColour, "colour");
    emscripten_glLinkProgram(program);
    emscripten_glUseProgram(program);
    projectionUniform = emscripten_glGetUniformLocation(program, "projection");
    pointRadiusUniform = emscripten_glGetUniformLocation(program, "pointRadius");
    for (GLuint attribute : {kPosition, kTexCoord, kColour})
        emscripten_glEnableVertexAttribArray(attribute);
}

void ShaderProgram::ReadVertices()
{
    const GLsizei stride = sizeof(RenderVertex);
    emscripten_glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(RenderVertex, x)));
    emscripten_glVertexAttribPointer(kTexCoord, 2, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(RenderVertex, s)));
    emscripten_glVertexAttribPointer(kColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                                     reinterpret_cast<void*>(offsetof(RenderVertex, rgba)));
}
