// The OpenGL 1.1 calls the game makes, answered on WebGL. Emscripten's own
// emulation of them turns every glBegin/glEnd into a WebGL draw call with
// its own upload, some 1,350 a frame, and draws the stars black. Here the
// vertices go through the model-view matrix as they come and gather, with
// their colours and texture coordinates, in one batch until the state that
// a draw call shares changes: the stars make one call, the map window one
// (its tiles all lie in one atlas texture), the exhaust one, the bullets
// and the ship one. The picture is the desktop's: GL_MODULATE texturing, the
// game's blending, and name 0 (or an image that cannot be sampled) drawing
// in the plain vertex colour.
#include <GL/gl.h>
#include <SDL.h>

#include <vector>

#include "gl/Matrix.h"
#include "gl/Renderer.h"
#include "gl/TextureAtlas.h"

namespace {

// Where the image of one texture name lies, and how its texture
// coordinates map into that WebGL texture.
struct TextureImage {
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLint magFilter = GL_LINEAR;
    bool complete = false;
    uint32_t page = 0;
    float s0 = 0.0f, t0 = 0.0f, sScale = 1.0f, tScale = 1.0f;
};

struct Layer {
    Renderer renderer;
    TextureAtlas atlas;
    std::vector<TextureImage> textures = std::vector<TextureImage>(1);
    TextureImage white;
    GLuint bound = 0;
    bool blend = false;
    bool texturing = false;
    float pointSize = 1.0f;
    uint8_t colour[4] = {255, 255, 255, 255};
    float s = 0.0f, t = 0.0f;
    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Matrix> modelView = {Matrix::Identity()};
    std::vector<Matrix> projection = {Matrix::Identity()};
    bool drawing = false;
    GLenum primitive = GL_POINTS;
    size_t primitiveStart = 0;
    GLenum error = GL_NO_ERROR;
};

// Made at the first GL call, when SDL has made the WebGL context current.
Layer& The()
{
    static Layer* layer = nullptr;
    if (layer == nullptr) {
        layer = new Layer;
        layer->renderer.Create();
        layer->atlas.Create();
        const uint8_t white[4] = {255, 255, 255, 255};
        int x = 0, y = 0;
        layer->atlas.Place(1, 1, white, &x, &y);
        const float side = TextureAtlas::kSide;
        layer->white.page = layer->atlas.Texture();
        layer->white.s0 = (x + 0.5f) / side;
        layer->white.t0 = (y + 0.5f) / side;
        layer->white.sScale = 0.0f;
        layer->white.tScale = 0.0f;
    }
    return *layer;
}

void SetError(GLenum error)
{
    if (The().error == GL_NO_ERROR)
        The().error = error;
}

const TextureImage& BoundImage()
{
    Layer& layer = The();
    if (!layer.texturing || layer.bound >= layer.textures.size() ||
        !layer.textures[layer.bound].complete)
        return layer.white;
    return layer.textures[layer.bound];
}

std::vector<Matrix>& Stack()
{
    return The().matrixMode == GL_PROJECTION ? The().projection : The().modelView;
}

void SetTop(const Matrix& matrix)
{
    Stack().back() = matrix;
    if (The().matrixMode == GL_PROJECTION)
        The().renderer.SetProjection(matrix);
}

uint8_t ToByte(float c)
{
    return static_cast<uint8_t>((c < 0.0f ? 0.0f : c > 1.0f ? 1.0f : c) * 255.0f + 0.5f);
}

bool IsPlainFilter(GLint filter)
{
    return filter == GL_NEAREST || filter == GL_LINEAR;
}

}  // namespace

// Defined with C linkage, as declared: a signature that differs from the
// header is an error here rather than an overload that is never called.
extern "C" {

void glEnable(GLenum cap)
{
    // Point, line and polygon smoothing, depth test and lighting have no
    // counterpart here: the game keeps them as InitGL leaves them.
    if (cap == GL_BLEND)
        The().blend = true;
    else if (cap == GL_TEXTURE_2D)
        The().texturing = true;
}

void glDisable(GLenum cap)
{
    if (cap == GL_BLEND)
        The().blend = false;
    else if (cap == GL_TEXTURE_2D)
        The().texturing = false;
}

void glPointSize(GLfloat size)
{
    The().pointSize = size;
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    The().renderer.ClearColor(r, g, b, a);
}

void glClear(GLbitfield mask)
{
    The().renderer.Clear(mask);
}

void glBlendFunc(GLenum source, GLenum destination)
{
    The().renderer.BlendFunc(source, destination);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    The().renderer.Viewport(x, y, width, height);
}

GLenum glGetError(void)
{
    const GLenum own = The().error;
    The().error = GL_NO_ERROR;
    const GLenum webgl = The().renderer.Error();
    return own != GL_NO_ERROR ? own : webgl;
}

void glMatrixMode(GLenum mode)
{
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION)
        The().matrixMode = mode;
    else
        SetError(GL_INVALID_ENUM);
}

void glLoadIdentity(void)
{
    SetTop(Matrix::Identity());
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar)
{
    SetTop(Stack().back() * Matrix::Frustum(left, right, bottom, top, zNear, zFar));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    SetTop(Stack().back() * Matrix::Translation(x, y, z));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    SetTop(Stack().back() * Matrix::Rotation(angle, x, y, z));
}

void glPushMatrix(void)
{
    Stack().push_back(Stack().back());
}

void glPopMatrix(void)
{
    if (Stack().size() > 1)
        Stack().pop_back();
    else
        SetError(GL_STACK_UNDERFLOW);
    SetTop(Stack().back());
}

void glGenTextures(GLsizei count, GLuint* names)
{
    for (GLsizei i = 0; i < count; ++i) {
        names[i] = static_cast<GLuint>(The().textures.size());
        The().textures.emplace_back();
    }
}

void glBindTexture(GLenum, GLuint name)
{
    The().bound = name;
}

void glTexParameteri(GLenum, GLenum name, GLint value)
{
    Layer& layer = The();
    if (layer.bound == 0 || layer.bound >= layer.textures.size())
        return;
    if (name == GL_TEXTURE_MIN_FILTER)
        layer.textures[layer.bound].minFilter = value;
    else if (name == GL_TEXTURE_MAG_FILTER)
        layer.textures[layer.bound].magFilter = value;
}

void glTexImage2D(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLint, GLenum format,
                  GLenum type, const GLvoid* pixels)
{
    Layer& layer = The();
    if (layer.bound == 0 || layer.bound >= layer.textures.size() || level != 0 ||
        format != GL_RGBA || type != GL_UNSIGNED_BYTE) {
        SetError(GL_INVALID_OPERATION);
        return;
    }
    TextureImage& image = layer.textures[layer.bound];
    std::vector<uint8_t> blank;
    if (pixels == nullptr) {
        blank.resize(static_cast<size_t>(width) * height * 4);
        pixels = blank.data();
    }
    const uint8_t* rgba = static_cast<const uint8_t*>(pixels);
    int x = 0, y = 0;
    // Images sampled texel by texel share the atlas; a filtered one would
    // blend in its neighbours' border texels there, so it gets its own.
    if (image.minFilter == GL_NEAREST && image.magFilter == GL_NEAREST &&
        layer.atlas.Place(width, height, rgba, &x, &y)) {
        const float side = TextureAtlas::kSide;
        image.page = layer.atlas.Texture();
        image.s0 = x / side;
        image.t0 = y / side;
        image.sScale = width / side;
        image.tScale = height / side;
    } else {
        image.page =
            layer.renderer.MakeTexture(width, height, rgba, image.minFilter, image.magFilter);
    }
    image.complete = IsPlainFilter(image.minFilter) && width > 0 && height > 0;
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    uint8_t* colour = The().colour;
    colour[0] = ToByte(r);
    colour[1] = ToByte(g);
    colour[2] = ToByte(b);
    colour[3] = 255;
}

void glColor3fv(const GLfloat* rgb)
{
    glColor3f(rgb[0], rgb[1], rgb[2]);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    glColor3f(r, g, b);
    The().colour[3] = ToByte(a);
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    The().s = s;
    The().t = t;
}

void glBegin(GLenum mode)
{
    Layer& layer = The();
    if (mode != GL_POINTS && mode != GL_QUADS) {
        SetError(GL_INVALID_ENUM);
        return;
    }
    RenderState state;
    state.texture = BoundImage().page;
    state.blend = layer.blend;
    state.points = mode == GL_POINTS;
    state.pointSize = layer.pointSize;
    layer.renderer.Use(state);
    layer.drawing = true;
    layer.primitive = mode;
    layer.primitiveStart = layer.renderer.Count();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    Layer& layer = The();
    if (!layer.drawing)
        return;
    Renderer& renderer = layer.renderer;
    // A full batch is drawn between two points or two quads, never inside a quad.
    const bool full = layer.primitive == GL_POINTS
                          ? renderer.Count() >= Renderer::kMaxVertices
                          : (renderer.Count() - layer.primitiveStart) % 4 == 0 &&
                                renderer.Count() + 4 > Renderer::kMaxVertices;
    if (full) {
        renderer.Flush();
        layer.primitiveStart = 0;
    }
    float eye[3];
    layer.modelView.back().TransformPoint(x, y, z, eye);
    RenderVertex vertex;
    vertex.x = eye[0];
    vertex.y = eye[1];
    vertex.z = eye[2];
    const TextureImage& image = BoundImage();
    vertex.s = image.s0 + layer.s * image.sScale;
    vertex.t = image.t0 + layer.t * image.tScale;
    for (int i = 0; i < 4; ++i)
        vertex.rgba[i] = layer.colour[i];
    renderer.Add(vertex);
}

void glVertex3fv(const GLfloat* v)
{
    glVertex3f(v[0], v[1], v[2]);
}

void glEnd(void)
{
    Layer& layer = The();
    if (layer.drawing && layer.primitive == GL_QUADS) {
        const size_t count = layer.renderer.Count();
        layer.renderer.Truncate(count - (count - layer.primitiveStart) % 4);
    }
    layer.drawing = false;
}

// The end of a frame: what is still gathered is drawn, and the browser
// shows the picture when the frame's callback returns.
void SDL_GL_SwapBuffers(void)
{
    The().renderer.Flush();
}

}  // extern "C"
