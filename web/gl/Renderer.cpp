#include "gl/Renderer.h"

#include <webgl/webgl1.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>

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

// GL 1.1's default texture environment, GL_MODULATE: the texel times the
// vertex colour. Points are smoothed as the desktop's Mesa smooths them
// (GL_POINT_SMOOTH): a disc of pointRadius pixels, at least one, takes
// every pixel whose centre it holds. (Mesa also fades the alpha towards
// the rim, which does not show: the game draws its points, the stars,
// without blending.) Quads have pointRadius 0.
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

void Renderer::Create()
{
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, CompileShader(GL_VERTEX_SHADER, kVertexShader));
    emscripten_glAttachShader(program, CompileShader(GL_FRAGMENT_SHADER, kFragmentShader));
    emscripten_glBindAttribLocation(program, 0, "position");
    emscripten_glBindAttribLocation(program, 1, "texCoord");
    emscripten_glBindAttribLocation(program, 2, "colour");
    emscripten_glLinkProgram(program);
    emscripten_glUseProgram(program);
    projectionUniform = emscripten_glGetUniformLocation(program, "projection");
    pointRadiusUniform = emscripten_glGetUniformLocation(program, "pointRadius");

    // Every batch of quads uses the first indices of one fixed list: the
    // corners 0 1 2 and 0 2 3 of each quad, as GL 1.1 splits a quad.
    std::vector<uint16_t> indices;
    indices.reserve(kMaxVertices / 4 * 6);
    for (size_t corner = 0; corner < kMaxVertices; corner += 4) {
        for (size_t offset : {0, 1, 2, 0, 2, 3})
            indices.push_back(static_cast<uint16_t>(corner + offset));
    }
    GLuint buffers[2];
    emscripten_glGenBuffers(2, buffers);
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[0]);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size() * sizeof(uint16_t),
                            indices.data(), GL_STATIC_DRAW);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
    const GLsizei stride = sizeof(RenderVertex);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glEnableVertexAttribArray(1);
    emscripten_glEnableVertexAttribArray(2);
    emscripten_glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(RenderVertex, x)));
    emscripten_glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(RenderVertex, s)));
    emscripten_glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                                     reinterpret_cast<void*>(offsetof(RenderVertex, rgba)));
    vertices.reserve(kMaxVertices);
}

void Renderer::Use(const RenderState& next)
{
    if (next != state)
        Flush();
    state = next;
}

void Renderer::Flush()
{
    if (vertices.empty())
        return;
    if (projectionChanged) {
        emscripten_glUniformMatrix4fv(projectionUniform, 1, GL_FALSE, projection.m);
        projectionChanged = false;
    }
    if (state.blend != blendOn) {
        if (state.blend)
            emscripten_glEnable(GL_BLEND);
        else
            emscripten_glDisable(GL_BLEND);
        blendOn = state.blend;
    }
    emscripten_glBindTexture(GL_TEXTURE_2D, state.texture);
    emscripten_glBufferData(GL_ARRAY_BUFFER, vertices.size() * sizeof(RenderVertex),
                            vertices.data(), GL_STREAM_DRAW);
    emscripten_glUniform1f(pointRadiusUniform,
                           state.points ? std::max(1.0f, state.pointSize / 2) : 0);
    if (state.points) {
        emscripten_glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(vertices.size()));
    } else {
        emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(vertices.size() / 4 * 6),
                                  GL_UNSIGNED_SHORT, nullptr);
    }
    vertices.clear();
}

void Renderer::SetProjection(const Matrix& matrix)
{
    Flush();
    projection = matrix;
    projectionChanged = true;
}

void Renderer::Clear(uint32_t mask)
{
    Flush();
    emscripten_glClear(mask);
}

void Renderer::ClearColor(float r, float g, float b, float a)
{
    emscripten_glClearColor(r, g, b, a);
}

void Renderer::Viewport(int x, int y, int width, int height)
{
    Flush();
    emscripten_glViewport(x, y, width, height);
}

void Renderer::BlendFunc(uint32_t source, uint32_t destination)
{
    Flush();
    emscripten_glBlendFunc(source, destination);
}

uint32_t Renderer::Error()
{
    Flush();
    return emscripten_glGetError();
}

uint32_t Renderer::MakeTexture(int width, int height, const void* rgba, int minFilter,
                               int magFilter)
{
    GLuint texture = 0;
    emscripten_glGenTextures(1, &texture);
    emscripten_glBindTexture(GL_TEXTURE_2D, texture);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    // WebGL 1 repeats only textures with power-of-two sides.
    const bool powerOfTwo = (width & (width - 1)) == 0 && (height & (height - 1)) == 0;
    const GLint wrap = powerOfTwo ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                            rgba);
    return texture;
}
