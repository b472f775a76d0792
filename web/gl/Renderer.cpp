#include "gl/Renderer.h"

#include <webgl/webgl1.h>

#include <algorithm>

void Renderer::Create()
{
    program.Create();

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
    ShaderProgram::ReadVertices();
    vertices.reserve(kMaxVertices);
}

void Renderer::Flush()
{
    if (vertices.empty())
        return;
    if (projectionChanged) {
        emscripten_glUniformMatrix4fv(program.projectionUniform, 1, GL_FALSE, projection.m);
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
    // A point of GL 1.1 is at least one pixel across.
    emscripten_glUniform1f(program.pointRadiusUniform,
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

void Renderer::UpdateTexture(uint32_t texture, int x, int y, int width, int height,
                             const void* rgba)
{
    emscripten_glBindTexture(GL_TEXTURE_2D, texture);
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                               rgba);
}
