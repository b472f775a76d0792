#pragma once

#include <vector>

#include "gl/Renderer.h"

// What the renderer of the web layer's desktop tests keeps instead of
// drawing: each batch with its state and projection, and each texture
// update, in the order they came.
struct RecordedBatch {
    RenderState state;
    Matrix projection;
    std::vector<RenderVertex> vertices;
};

struct TextureUpdate {
    uint32_t texture;
    int x, y, width, height;
};

struct Recording {
    std::vector<RecordedBatch> batches;
    std::vector<TextureUpdate> updates;
};
