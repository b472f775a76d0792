#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

// The GL calls of a recorded stream. bench/frame-to-floor writes them in
// this numbering: keep the two in step.
enum class GlOp : uint8_t {
    Enable,
    Disable,
    PointSize,
    ClearColor,
    BlendFunc,
    Viewport,
    MatrixMode,
    LoadIdentity,
    Frustum,
    GenTexture,
    BindTexture,
    TexParameteri,
    TexImage2D,
    Clear,
    Translatef,
    Rotatef,
    PushMatrix,
    PopMatrix,
    Begin,
    End,
    Color3f,
    Color3fv,
    Color4f,
    TexCoord2f,
    Vertex3f,
    Vertex3fv,
};

// A list of GL calls as prebuilt arrays: one opcode a call, and the call's
// arguments, in order, in the array of their type.
class CallList {
public:
    virtual ~CallList() = default;

    // Reads the five counts, then the five arrays.
    bool Read(FILE* file);
    // Makes the calls. False when a texture name that glGenTextures gives
    // differs from the recorded one.
    bool Replay() const;

private:
    std::vector<uint8_t> ops;
    std::vector<int32_t> ints;
    std::vector<float> floats;
    std::vector<double> doubles;
    std::vector<uint8_t> bytes;
};
