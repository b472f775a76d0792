// Renderer's WebGL side for web/gl's tests: batches and texture updates are
// recorded, never drawn.
#include <string>
#include <vector>

#include "gl/Renderer.h"
#include "gl/TextureAtlas.h"

// Each batch as its kind and vertex count: quads "q4", blended quads "Q4",
// points "p3", or "p2:3" when 2 pixels wide.
std::vector<std::string> g_Batches;
// Each vertex as its texture, place x, y, z, colour r, g, b, a and texel s, t
// in texels of the atlas's side.
std::vector<std::vector<float>> g_Vertices;
// Each texture update as texture, x, y, width, height.
std::vector<std::vector<int>> g_TextureUpdates;

void Renderer::Create()
{
}

void Renderer::Flush()
{
    if (vertices.empty())
        return;
    std::string kind = state.points ? "p" : state.blend ? "Q" : "q";
    if (state.points && state.pointSize != 1)
        kind += std::to_string(int(state.pointSize)) + ":";
    g_Batches.push_back(kind + std::to_string(vertices.size()));
    const float side = TextureAtlas::kSide;
    for (const RenderVertex& v : vertices)
        g_Vertices.push_back({float(state.texture), v.x, v.y, v.z, float(v.rgba[0]),
                              float(v.rgba[1]), float(v.rgba[2]), float(v.rgba[3]), v.s * side,
                              v.t * side});
    vertices.clear();
}

void Renderer::SetProjection(const Matrix&)
{
    Flush();
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
    static uint32_t textures = 0;
    return ++textures;
}

void Renderer::UpdateTexture(uint32_t texture, int x, int y, int width, int height, const void*)
{
    g_TextureUpdates.push_back({int(texture), x, y, width, height});
}
