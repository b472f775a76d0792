#pragma once

#include <cstdint>

// A vertex as the program reads it: already through the model-view matrix,
// its texture coordinate already in the WebGL texture it is drawn from.
struct RenderVertex {
    float x, y, z;
    float s, t;
    uint8_t rgba[4];
};

// The one WebGL program that draws the page, and the benchmark's floor page
// too: each vertex through the `projection` uniform, its colour times its
// texel (GL 1.1's default texture environment, GL_MODULATE), points as
// discs of `pointRadius` pixels (0 for quads). A plain colour samples a
// white texel.
class ShaderProgram {
public:
    // The attribute locations, bound before linking.
    enum Attribute : uint32_t { kPosition = 0, kTexCoord = 1, kColour = 2 };

    // Compiles and links the program, makes it current and switches its
    // attributes on; needs the WebGL context.
    void Create();
    // Points the attributes at RenderVertex records in the bound array buffer.
    static void ReadVertices();

    int projectionUniform = -1;
    int pointRadiusUniform = -1;
};
