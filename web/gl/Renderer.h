#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gl/Matrix.h"
#include "gl/ShaderProgram.h"

// What one draw call shares.
struct RenderState {
    uint32_t texture = 0;
    bool blend = false;
    bool points = false;
    float pointSize = 1.0f;

    bool operator!=(const RenderState& other) const
    {
        return texture != other.texture || blend != other.blend || points != other.points ||
               (points && pointSize != other.pointSize);
    }
};

// The WebGL side of the GL 1.1 layer: gathers the vertices drawn under one
// state and sends them in one draw call when the state changes or the
// frame ends. Quads go out as indexed triangle pairs, points as points.
// The gathering is here in the header; Renderer.cpp does the WebGL calls
// (tests/weblayer's RecordingRenderer.cpp keeps the batches instead).
class Renderer {
public:
    // The largest batch: the quads' 16-bit indices reach 65,536 vertices.
    static const size_t kMaxVertices = 65536;

    // Compiles the program and makes the buffers; needs the WebGL context.
    void Create();
    // Starts a batch drawn under `state`: draws what was gathered under
    // another state first; under the same state the batch goes on.
    void StartBatch(const RenderState& next)
    {
        if (next != state)
            Flush();
        state = next;
    }
    void Add(const RenderVertex& vertex) { vertices.push_back(vertex); }
    size_t Count() const { return vertices.size(); }
    // Forgets the vertices from `count` on: a quad left unfinished.
    void Truncate(size_t count) { vertices.resize(count); }
    // Draws what was gathered.
    void Flush();

    void SetProjection(const Matrix& projection);
    void Clear(uint32_t mask);
    void ClearColor(float r, float g, float b, float a);
    void Viewport(int x, int y, int width, int height);
    void BlendFunc(uint32_t source, uint32_t destination);
    uint32_t Error();
    // A WebGL texture, for the atlas or an image that the atlas does not
    // take; `rgba` may be null for one still blank.
    uint32_t MakeTexture(int width, int height, const void* rgba, int minFilter, int magFilter);
    // Copies a width x height RGBA image into `texture` at texel (x, y).
    void UpdateTexture(uint32_t texture, int x, int y, int width, int height, const void* rgba);

private:
    std::vector<RenderVertex> vertices;
    RenderState state;
    bool blendOn = false;
    Matrix projection = Matrix::Identity();
    bool projectionChanged = true;
    ShaderProgram program;
};
