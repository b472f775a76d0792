#include "bench/CallList.h"

#include <GL/gl.h>

namespace {

template <typename T>
bool ReadArray(FILE* file, uint32_t count, std::vector<T>* out)
{
    out->resize(count);
    return fread(out->data(), sizeof(T), count, file) == count;
}

}  // namespace

bool CallList::Read(FILE* file)
{
    uint32_t counts[5];
    if (fread(counts, sizeof counts, 1, file) != 1)
        return false;
    return ReadArray(file, counts[0], &ops) && ReadArray(file, counts[1], &ints) &&
           ReadArray(file, counts[2], &floats) && ReadArray(file, counts[3], &doubles) &&
           ReadArray(file, counts[4], &bytes);
}

bool CallList::Replay() const
{
    const int32_t* i = ints.data();
    const float* f = floats.data();
    const double* d = doubles.data();
    const uint8_t* b = bytes.data();
    for (const uint8_t op : ops) {
        switch (static_cast<GlOp>(op)) {
        case GlOp::Enable:
            glEnable(i[0]);
            i += 1;
            break;
        case GlOp::Disable:
            glDisable(i[0]);
            i += 1;
            break;
        case GlOp::PointSize:
            glPointSize(f[0]);
            f += 1;
            break;
        case GlOp::ClearColor:
            glClearColor(f[0], f[1], f[2], f[3]);
            f += 4;
            break;
        case GlOp::BlendFunc:
            glBlendFunc(i[0], i[1]);
            i += 2;
            break;
        case GlOp::Viewport:
            glViewport(i[0], i[1], i[2], i[3]);
            i += 4;
            break;
        case GlOp::MatrixMode:
            glMatrixMode(i[0]);
            i += 1;
            break;
        case GlOp::LoadIdentity:
            glLoadIdentity();
            break;
        case GlOp::Frustum:
            glFrustum(d[0], d[1], d[2], d[3], d[4], d[5]);
            d += 6;
            break;
        case GlOp::GenTexture: {
            GLuint name = 0;
            glGenTextures(1, &name);
            if (name != static_cast<GLuint>(i[0]))
                return false;
            i += 1;
            break;
        }
        case GlOp::BindTexture:
            glBindTexture(i[0], i[1]);
            i += 2;
            break;
        case GlOp::TexParameteri:
            glTexParameteri(i[0], i[1], i[2]);
            i += 3;
            break;
        case GlOp::TexImage2D:
            // The ninth integer is the pixels' length in bytes.
            glTexImage2D(i[0], i[1], i[2], i[3], i[4], i[5], i[6], i[7], b);
            b += i[8];
            i += 9;
            break;
        case GlOp::Clear:
            glClear(i[0]);
            i += 1;
            break;
        case GlOp::Translatef:
            glTranslatef(f[0], f[1], f[2]);
            f += 3;
            break;
        case GlOp::Rotatef:
            glRotatef(f[0], f[1], f[2], f[3]);
            f += 4;
            break;
        case GlOp::PushMatrix:
            glPushMatrix();
            break;
        case GlOp::PopMatrix:
            glPopMatrix();
            break;
        case GlOp::Begin:
            glBegin(i[0]);
            i += 1;
            break;
        case GlOp::End:
            glEnd();
            break;
        case GlOp::Color3f:
            glColor3f(f[0], f[1], f[2]);
            f += 3;
            break;
        case GlOp::Color3fv:
            glColor3fv(f);
            f += 3;
            break;
        case GlOp::Color4f:
            glColor4f(f[0], f[1], f[2], f[3]);
            f += 4;
            break;
        case GlOp::TexCoord2f:
            glTexCoord2f(f[0], f[1]);
            f += 2;
            break;
        case GlOp::Vertex3f:
            glVertex3f(f[0], f[1], f[2]);
            f += 3;
            break;
        case GlOp::Vertex3fv:
            glVertex3fv(f);
            f += 3;
            break;
        }
    }
    return true;
}
