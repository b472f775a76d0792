// Renderer's WebGL side for the web layer's desktop tests: batches and
// texture updates are kept (RecordedGl() gives them), never drawn.
#include "RecordingRenderer.h"

namespace {

Recording recording;
uint32_t textures = 0;

}  // namespace

extern "C" Recording* RecordedGl()
{
    return &recording;
}

void Renderer::Create()
{
}

void Renderer::Flush()
{
    if (!vertices.empty())
        recording.batches.push_back({state, projection, vertices});
    vertices.clear();
}

void Renderer::SetProjection(const Matrix& matrix)
{
    Flush();
    projection = matrix;
}

void Renderer::Clear(uint32_t)
{
    Flush();
}

void Renderer::ClearColor(float, float, float, float)
{
}

void Renderer::Viewport(int, int, int, int)
{
    Flush();
}

void Renderer::BlendFunc(uint32_t, uint32_t)
{
    Flush();
}

uint32_t Renderer::Error()
{
    Flush();
    return 0;
}

uint32_t Renderer::MakeTexture(int, int, const void*, int, int)
{
    return ++textures;
}

void Renderer::UpdateTexture(uint32_t texture, int x, int y, int width, int height, const void*)
{
    recording.updates.push_back({texture, x, y, width, height});
}
